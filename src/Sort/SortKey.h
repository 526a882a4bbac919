#pragma once
// Which field of the record list a sort compares, with the values the environment file
// stores for it.
namespace plomix {

enum TSortKey { skCode = 0, skCommentUp = 1, skCommentDown = 2 };

}  // namespace plomix

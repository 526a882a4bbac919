#pragma once
// The chosen postal-code file in the environment file. The key is optional: a file
// written before it existed reads as "no file chosen", never as a broken setting.
namespace plomix {

class TParameter;

void RestorePostalFileSetting(const TParameter &parameters);
void SavePostalFileSetting(TParameter &parameters);

}  // namespace plomix

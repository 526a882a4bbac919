#pragma once
// The data list window's keys in the environment file, in the order the window writes
// them. The check boxes' keys are their captions.
namespace plomix::dlkey {

inline constexpr char Left[] = "DLeft";
inline constexpr char Top[] = "DTop";
inline constexpr char Width[] = "DWidth";
inline constexpr char Height[] = "DHeight";
inline constexpr char WindowState[] = "DWindowState";
inline constexpr char FontName[] = "DFontName";
inline constexpr char FontSize[] = "DFontSize";
inline constexpr char FontStyle[] = "DFontStyle";
inline constexpr char FontColor[] = "DFontColor";
inline constexpr char RowHeight[] = "DDefaultRowHeight";
inline constexpr const char *ColWidths[3] = {"DColWidths[1]", "DColWidths[2]", "DColWidths[3]"};
inline constexpr char Partition[] = "DPartition";
inline constexpr char EnterMovesDown[] = "エンターキーで次の行に移動";
inline constexpr char AlwaysEdit[] = "常時文字入力の状態";
inline constexpr char EnterChecks[] = "エンターキーでデータチェック";
inline constexpr char ExactSearch[] = "完全に一致する文字列を検索";
inline constexpr char SearchText[] = "検索文字列";

}  // namespace plomix::dlkey

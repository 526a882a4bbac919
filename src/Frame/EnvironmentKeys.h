#pragma once
// The main window's keys in the environment file, in the order the shutdown writes them.

namespace plomix {

namespace envkey {
inline constexpr char Left[] = "Left";
inline constexpr char Top[] = "Top";
inline constexpr char Width[] = "Width";
inline constexpr char Height[] = "Height";
inline constexpr char WindowState[] = "WindowState";
inline constexpr char CurrentRecord[] = "バーコード文字列";
inline constexpr char BarType[] = "バーコードの種類";
inline constexpr char StartChar[] = "スタートキャラクタ";
inline constexpr char StopChar[] = "ストップキャラクタ";
inline constexpr char SymbolDisp[] = "文字列表示";
inline constexpr char CheckDigit[] = "チェックデジット";
inline constexpr char ClipWatch[] = "クリップボード監視";
inline constexpr char Scale[] = "スケール";
inline constexpr char Frame[] = "ITFフレーム";
inline constexpr char DisplayFormat[] = "表示形式";
inline constexpr char BarHeight[] = "高さ";
inline constexpr char SpaceUp[] = "上の余白";
inline constexpr char SpaceDown[] = "下の余白";
inline constexpr char SpaceLeft[] = "左の余白";
inline constexpr char SpaceRight[] = "右の余白";
inline constexpr char CopyMethod[] = "コピー方法";
inline constexpr char ElementRatio[] = "エレメント比";
inline constexpr char PrintCopies[] = "印刷の個数";
inline constexpr char PrintScale[] = "印刷の倍率";
inline constexpr char BarColor[] = "バーコードの色";
inline constexpr char BackColor[] = "バーコードの背景色";
inline constexpr char OrgHeight[] = "OrgHeight";
inline constexpr char ActualSizeSwitch[] = "等倍印刷の状態を表わすスイッチ";
inline constexpr char RowSpacing[] = "印刷時の行間隔";
inline constexpr char ColumnSpacing[] = "印刷時の列間隔";
inline constexpr char SortKey[] = "ソート条件";
inline constexpr char SortDirection[] = "ソート方向";
inline constexpr char FontName[] = "FontName";
inline constexpr char FontSize[] = "FontSize";
inline constexpr char FontStyle[] = "FontStyle";
inline constexpr char FontColor[] = "FontColor";
inline constexpr char SaveDir[] = "SaveDir";
}  // namespace envkey

// The first line of an environment file this program writes (no "=": never a key).
inline constexpr char kEnvironmentHeader[] =
    "Plomix環境設定ファイル --- このファイルは、編集しないで下さい。";

}  // namespace plomix

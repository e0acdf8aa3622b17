#pragma once
// The settings of reading the panes, kept in the extras section: how many lines a pane keeps
// beyond its view, the time before lines and in logs, what counts as a highlight, and the
// sounds of the events that ask for the user's attention.
#include <string_view>

namespace korbi::core {

// Lines a pane keeps, 0..100000; 0 keeps only what the view shows.
inline constexpr std::string_view kScrollbackLines = "ScrollbackLines";
inline constexpr int kScrollbackDefault = 5000;
inline constexpr int kScrollbackMax = 100000;

// "1": "[HH:MM] " before each line of the panes; and before each line of the logs.
inline constexpr std::string_view kTimeStamps = "TimeStamps";
inline constexpr std::string_view kLogTimeStamps = "LogTimeStamps";

// Words besides the own nick that make a line a highlight, separated by blanks.
inline constexpr std::string_view kHighlightWords = "HighlightWords";
// The background of a highlighted line, "red,green,blue"; light yellow by default.
inline constexpr std::string_view kHighlightColour = "HighlightColour";
inline constexpr std::string_view kHighlightColourDefault = "255,250,205";

// WAV files played with the desktop notification of each event; none by default.
inline constexpr std::string_view kHighlightSound = "HighlightSound";
inline constexpr std::string_view kPrivateSound = "PrivateSound";
inline constexpr std::string_view kNotifySound = "NotifySound";

} // namespace korbi::core

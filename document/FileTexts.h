#pragma once

// What the player reads about match files, in one place: the file commands' messages (%1
// stands for the file's full path) and the question asked before unsaved results are lost.
namespace filetext {

inline constexpr const char* kNotFound = "%1 was not found.";
inline constexpr const char* kAccessDenied = "Access to %1 was denied.";
inline constexpr const char* kDiskFull = "Disk full while accessing %1.";
inline constexpr const char* kIncorrectPath = "%1 contains an incorrect path.";
inline constexpr const char* kSharingViolation = "A sharing violation occurred while accessing %1.";
inline constexpr const char* kUnexpectedError = "An unexpected error occurred while accessing %1.";
inline constexpr const char* kFailedToOpen = "Failed to open document.";
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kCannotSaveNow = "Cannot save a file at this time";
inline constexpr const char* kCannotOpenNow = "Cannot open a file at this time";

inline constexpr const char* kSaveResultsQuestion = "Save the results of this match?";
inline constexpr const char* kSaveAnswer = "&Save";
inline constexpr const char* kDiscardAnswer = "&Discard";
inline constexpr const char* kCancelAnswer = "Cancel";

} // namespace filetext

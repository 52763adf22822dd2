// The image history's names, sidecar text and retention rule, as pure functions.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ParameterImage.h"

namespace dorv {

// Why an entry was kept: what the tool saw happen to the image.
enum class HistoryKind {
    Read,        // the unit's image after a successful Read
    Programmed,  // the image the unit holds after a successful Program
    UnitDiffers, // the unit's image when a Verify found it holding something else
    BeforeRead,  // the editor's image just before a Read replaced it
    BeforeOpen,  // ... before Open replaced it
    BeforeNew,   // ... before New replaced it
};
inline constexpr HistoryKind AllHistoryKinds[] = {HistoryKind::Read,        HistoryKind::Programmed,
                                                  HistoryKind::UnitDiffers, HistoryKind::BeforeRead,
                                                  HistoryKind::BeforeOpen,  HistoryKind::BeforeNew};

// "read", "programmed", "unit-differs", "before-read", "before-open", "before-new".
std::string_view HistoryKindWord(HistoryKind kind);
std::optional<HistoryKind> HistoryKindOfWord(std::string_view word);

// A moment in local time, to the millisecond, with its offset from UTC.
struct HistoryStamp {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    int UtcOffsetSeconds = 0;
    friend bool operator==(const HistoryStamp&, const HistoryStamp&) = default;
};

// "YYYYMMDD-HHMMSS-mmm-<kind>": the entry's name without ".ign" (its stem).
std::string HistoryEntryStem(const HistoryStamp& stamp, HistoryKind kind);
// "YYYYMMDD-HHMMSS-mmm": the part of the stem that names the moment.
std::string HistoryStampPrefix(const HistoryStamp& stamp);

// The time (without its offset, which the name does not carry) and kind a stem names.
struct HistoryName {
    HistoryStamp Stamp;
    HistoryKind Kind = HistoryKind::Read;
};
std::optional<HistoryName> ParseHistoryStem(std::string_view stem);

// The entry file and its sidecar: "<stem>.ign" and "<stem>.txt".
inline constexpr std::string_view HistoryEntrySuffix = ".ign";
inline constexpr std::string_view HistorySidecarSuffix = ".txt";

// "2026-12-10 14:22:33.123 +01:00".
std::string HistoryTimeText(const HistoryStamp& stamp);

// The unit an image comes from, by its identity block; all empty when the block is blank (the
// editor has never seen a unit).
struct HistoryUnit {
    std::string ProgramName; // the program's name and number, or its text
    std::string BuildDate;
    std::string BuildTime;
    int FormatVersion = 0;
    bool Known() const { return !ProgramName.empty(); }
    // "SIM01 10.12.2026 14:00 v56", empty when not known: what the History window filters by.
    std::string Text() const;
    friend bool operator==(const HistoryUnit&, const HistoryUnit&) = default;
};
HistoryUnit HistoryUnitOf(const ParameterImage& image);

// What the sidecar beside an entry tells about it.
struct HistorySidecar {
    std::string Time; // HistoryTimeText
    HistoryKind Kind = HistoryKind::Read;
    HistoryUnit Unit;
    std::optional<int> ProgramCount; // the unit's programming count, when known
    std::string FileName;            // the editor's file at the time, if any
    std::string Note;
    bool Pinned = false;
    friend bool operator==(const HistorySidecar&, const HistorySidecar&) = default;
};

// "key=value" lines with LF ends; a line end or backslash in a value is written "\n", "\\".
std::string SidecarText(const HistorySidecar& sidecar);
// Nothing when the text is not a sidecar (no time or no known kind, a line without "=", an
// unknown escape, a count or version that is no number). Keys it does not know are skipped.
std::optional<HistorySidecar> ReadSidecarText(std::string_view text);

// One entry as retention sees it.
struct RetentionItem {
    std::int64_t Bytes = 0; // the entry and its sidecar
    bool Pinned = false;
    bool Damaged = false; // never removed by the tool
};
inline constexpr int HistoryMaxEntries = 2000;
inline constexpr std::int64_t HistoryMaxBytes = 50LL * 1024 * 1024;

// The indexes (into oldestFirst) of the entries to remove so that at most maxEntries entries and
// maxBytes bytes remain: the oldest first, never a pinned or a damaged one, nor the newest one
// (the entry just written). When the kept ones alone are over the limits, every other one goes.
std::vector<std::size_t> EntriesToRemove(std::span<const RetentionItem> oldestFirst,
                                         int maxEntries = HistoryMaxEntries,
                                         std::int64_t maxBytes = HistoryMaxBytes);

} // namespace dorv

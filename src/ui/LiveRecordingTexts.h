#pragma once

#include "SlotText.h"

namespace dravinor::ui::texts {

// Live recording and replay: text slots a language file may replace.
inline constexpr SlotText recordingTo{50210};
inline constexpr SlotText recordingFinished{50211};
inline constexpr SlotText recordingWriteError{50212};
inline constexpr SlotText recordingCannotCreate{50213};
inline constexpr SlotText recordingNoController{50214};
inline constexpr SlotText replaying{50215};
inline constexpr SlotText replayPaused{50216};
inline constexpr SlotText replayEnd{50217};
inline constexpr SlotText replayCannotPlay{50218};
inline constexpr SlotText replayLine{50219};
inline constexpr SlotText csvFilter{50220};

// Why a recording cannot be played, then what a column must hold, then the
// labels of the box's details.
inline constexpr SlotText replayMissing{51310};
inline constexpr SlotText replayCannotOpen{51311};     // %1: the system's reason
inline constexpr SlotText replayFolder{51312};
inline constexpr SlotText replayNotAFile{51313};
inline constexpr SlotText replayTooLarge{51314};
inline constexpr SlotText replayCannotRead{51315};     // %1: the system's reason
inline constexpr SlotText replayEmpty{51316};
inline constexpr SlotText replayWrongHeader{51317};
inline constexpr SlotText replayNoPolls{51318};
inline constexpr SlotText replayFewColumns{51319};     // %1: the row's columns, %2: a recording's
inline constexpr SlotText replayManyColumns{51320};    // %1: a recording's columns
inline constexpr SlotText replayBadValue{51321};       // %1: the column, %2: its text, %3: what it must be
inline constexpr SlotText replayTimeGoesBack{51322};
inline constexpr int firstReplayValueKey = 51323;      // 51323..51329 in the order of LiveCsvValue
inline constexpr SlotText replayExpectedHeader{51330};
inline constexpr SlotText replayFirstLine{51331};

// The menu items' built-in captions (keys 50200, 50201).
inline const QString recordItem = QStringLiteral("Nagrywaj dane na żywo…");
inline const QString pauseReplayItem = QStringLiteral("Wstrzymaj odtwarzanie");

}  // namespace dravinor::ui::texts

#pragma once

#include "ui/language/SlotText.h"

namespace dravinor::ui::texts {

// Live recording and replay: text slots a language file may replace.
inline constexpr SlotText recordingTo{lang::slot::recording::recordingTo};
inline constexpr SlotText recordingFinished{lang::slot::recording::recordingFinished};
inline constexpr SlotText recordingWriteError{lang::slot::recording::recordingWriteError};
inline constexpr SlotText recordingCannotCreate{lang::slot::recording::recordingCannotCreate};
inline constexpr SlotText recordingNoController{lang::slot::recording::recordingNoController};
inline constexpr SlotText replaying{lang::slot::recording::replaying};
inline constexpr SlotText replayPaused{lang::slot::recording::replayPaused};
inline constexpr SlotText replayEnd{lang::slot::recording::replayEnd};
inline constexpr SlotText replayCannotPlay{lang::slot::recording::replayCannotPlay};
inline constexpr SlotText replayLine{lang::slot::recording::replayLine};
inline constexpr SlotText csvFilter{lang::slot::recording::csvFilter};

// Why a recording cannot be played, then what a column must hold, then the
// labels of the box's details.
inline constexpr SlotText replayMissing{lang::slot::recording::replayMissing};
inline constexpr SlotText replayCannotOpen{lang::slot::recording::replayCannotOpen};
inline constexpr SlotText replayFolder{lang::slot::recording::replayFolder};
inline constexpr SlotText replayNotAFile{lang::slot::recording::replayNotAFile};
inline constexpr SlotText replayTooLarge{lang::slot::recording::replayTooLarge};
inline constexpr SlotText replayCannotRead{lang::slot::recording::replayCannotRead};
inline constexpr SlotText replayEmpty{lang::slot::recording::replayEmpty};
inline constexpr SlotText replayWrongHeader{lang::slot::recording::replayWrongHeader};
inline constexpr SlotText replayTraceSamples{lang::slot::recording::replayTraceSamples};
inline constexpr SlotText replayNoPolls{lang::slot::recording::replayNoPolls};
inline constexpr SlotText replayFewColumns{lang::slot::recording::replayFewColumns};
inline constexpr SlotText replayManyColumns{lang::slot::recording::replayManyColumns};
inline constexpr SlotText replayBadValue{lang::slot::recording::replayBadValue};
inline constexpr SlotText replayTimeGoesBack{lang::slot::recording::replayTimeGoesBack};
inline constexpr int firstReplayValueKey = lang::slot::recording::firstReplayValueKey;
inline constexpr SlotText replayExpectedHeader{lang::slot::recording::replayExpectedHeader};
inline constexpr SlotText replayFirstLine{lang::slot::recording::replayFirstLine};

// The menu items' built-in captions (keys 50200, 50201).
inline const QString recordItem = QStringLiteral("Nagrywaj dane na żywo…");
inline const QString pauseReplayItem = QStringLiteral("Wstrzymaj odtwarzanie");

}  // namespace dravinor::ui::texts

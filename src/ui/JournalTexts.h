#pragma once

#include "SlotText.h"

namespace dravinor::ui::journal {

// Text keys of the journal window and its undo (slots; the menu item's
// caption is key 50100 in the key table).
inline constexpr int menuCaption = 50100;
inline constexpr int windowTitle = 50101;
inline constexpr int undoButton = 50102;
inline constexpr int firstHeader = 50103;  // 50103..50109: time, port, version, field, old, new, result
inline constexpr int acknowledged = 50110;
inline constexpr int notAcknowledged = 50111;
inline constexpr int undoQuestion = 50112;      // %1 field, %2 value written back, %3 value now
inline constexpr int undoNotConnected = 50113;
inline constexpr int undoOtherController = 50114;  // %1 port, %2 version
inline constexpr int nothingToUndo = 50115;
inline constexpr int undoFailed = 50116;
inline constexpr int writeAllKind = 50117;
inline constexpr int resetKind = 50118;
inline constexpr int adaptationResetKind = 50119;
inline constexpr int fileKind = 50120;
// How an entry stands towards undo.
inline constexpr int unchangedMark = 51060;
inline constexpr int undoWriteMark = 51061;
inline constexpr int takenBackMark = 51062;
inline constexpr int nextUndoMark = 51063;
inline constexpr int unreadableFile = 51150;  // %1 file, %2 why
inline constexpr int isFolder = 51151;
inline constexpr int notRegularFile = 51152;
inline constexpr int invalidTime = 51153;
inline constexpr int undoOtherSet = 51154;

}  // namespace dravinor::ui::journal

#pragma once

namespace dravinor::params {

// Who asked for a write, as the journal notes it: "field", "file",
// "wizard", "undo", "cli". Other only comes from reading a journal: a
// source a newer version wrote, kept with its text.
enum class WriteSource { Field, File, Wizard, Undo, Cli, Other };

}  // namespace dravinor::params

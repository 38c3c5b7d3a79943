#pragma once
// Codes stored into the table from a row down, as the window's import and
// the protocol dialog store them: refused with a warning (nothing changed)
// when any does not fit, asked first when the rows hold anything.

#include "code_table.h"
#include "flat_signal.h"
#include "imported_row.h"

#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace zevo3 {

class CodeTableModel;
class Prompter;

// Why a code's name cannot be a Comments cell, in the window's words.
QString nameProblemText(const NameProblem &problem);

// The rows the codes went into; nullopt when they were refused or the
// operator kept the rows.
std::optional<RowRange> storeCodesAsked(CodeTableModel &model, Prompter &prompter, QWidget *parent,
                                        int first, const std::vector<InterchangeCode> &codes);

} // namespace zevo3

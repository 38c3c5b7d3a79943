#pragma once
// The code table and the layout as JSON, the form `zevo3 dump` prints and
// `zevo3 make` takes:
//
//   {"rows":[
//   {"row":1,"carry":"38.0kHz","frames":"3","comments":"TV power","result":"01FE",
//    "wave":{"carry":380,"dataBits":5,"repeatBit":0,
//            "patterns":[[350,700],[350,1400],[0,0],… 16 pairs],"pcode":"01102"}},
//   … 70 rows in order
//   ],
//   "layout":[
//   ["012(F03:W01)","005(F03:W01)","","","","","",""],
//   … 15 rows of 8 cell texts
//   ]}
//
// Texts are Unicode (UTF-8 in the JSON) and CP932 in the files. "pcode" holds
// the dataBits meaningful pattern codes (at most 4096) as hexadecimal digits,
// without the repeated last digit the table file adds to an odd count.

#include "code_table.h"
#include "layout_data.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zevo3 {

// The JSON text, one table row and one layout row a line, ending with a line
// end. Cell bytes that are not exactly CP932 text are shown as near as may be
// (see cp932ToText); readFiles reports them.
QByteArray filesToJson(const CodeTable &table, const LayoutData &layout);

// Reads the JSON of filesToJson into *table and *layout, refusing everything
// that the table and layout files would not hold as it stands: a missing,
// unknown or mistyped member, a text without a CP932 form, a comma or a line
// break in a text, blanks or control characters at either end of a text (the
// files keep texts trimmed), a Result text beginning with a tag such as
// "Twc:", a number that is not a whole number within 32 bits, pattern codes
// that are not hexadecimal digits or not as many as dataBits counts.
// Returns false with every reason in *errors (each naming the row and the
// member, at most kMaxJsonErrors of them); *table and *layout are then
// unspecified.
inline constexpr int kMaxJsonErrors = 50;
bool filesFromJson(const QByteArray &json, CodeTable *table, LayoutData *layout,
                   QStringList *errors);

} // namespace zevo3

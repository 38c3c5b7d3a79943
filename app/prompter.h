#pragma once
// The message box as the windows use it. The real one is QMessageBox; tests
// hand in a double that records every text and caption and answers as told.

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace zevo3 {

enum class MsgIcon { None, Information, Warning, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// An open or save dialog as the form sets it up: the filter list in the
// "description|pattern|description|pattern" form, the preselected filter
// (1-based), the extension added to a name typed without one, and the name
// proposed.
struct FileDialogSetup {
    QString filter;
    int filterIndex = 1;
    QString defaultExt;
    QString fileName;

    // The descriptions of the filter list, e.g. "ｶﾝﾏ形式ﾃﾞｰﾀﾌｧｲﾙ (*.Csv)".
    QStringList descriptions() const;
};

// What the operator chose: the path and the filter in force (1-based).
struct FileChoice {
    QString path;
    int filterIndex = 1;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgAnswer ask(QWidget *parent, const QString &text, const QString &caption,
                          MsgIcon icon, MsgButtons buttons) = 0;
    // Empty when cancelled. The save dialog asks before replacing a file.
    virtual std::optional<FileChoice> openFile(QWidget *parent, const FileDialogSetup &setup) = 0;
    virtual std::optional<FileChoice> saveFile(QWidget *parent, const FileDialogSetup &setup) = 0;
    // The print dialog: false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

class QtPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon,
                  MsgButtons buttons) override;
    std::optional<FileChoice> openFile(QWidget *parent, const FileDialogSetup &setup) override;
    std::optional<FileChoice> saveFile(QWidget *parent, const FileDialogSetup &setup) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};

} // namespace zevo3

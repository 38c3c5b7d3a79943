#pragma once
// Prompter that records every message box asked and answers as scripted.

#include "prompter.h"

#include <QList>
#include <QString>
#include <functional>

namespace zevo3::test {

struct Asked {
    QString text;
    QString caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class RecordingPrompter : public Prompter {
public:
    QList<Asked> asked;
    QList<MsgAnswer> answers; // taken in order; when empty: Ok / Yes
    // File dialogs: what each was set up with, and the choices to give in
    // order (an empty optional cancels; none left cancels too).
    QList<FileDialogSetup> openDialogs;
    QList<FileDialogSetup> saveDialogs;
    QList<std::optional<FileChoice>> fileChoices;

    // The print dialog: how often it was shown, and what it does with the
    // printer before it answers (a test sends the job to a PDF file).
    int printDialogs = 0;
    std::function<bool(QPrinter &)> onPrint;
    bool choosePrinter(QWidget *, QPrinter &printer) override {
        ++printDialogs;
        return onPrint ? onPrint(printer) : false;
    }

    std::optional<FileChoice> openFile(QWidget *, const FileDialogSetup &setup) override {
        openDialogs.append(setup);
        return fileChoices.isEmpty() ? std::nullopt : fileChoices.takeFirst();
    }
    std::optional<FileChoice> saveFile(QWidget *, const FileDialogSetup &setup) override {
        saveDialogs.append(setup);
        return fileChoices.isEmpty() ? std::nullopt : fileChoices.takeFirst();
    }

    MsgAnswer ask(QWidget *, const QString &text, const QString &caption, MsgIcon icon,
                  MsgButtons buttons) override {
        asked.append({text, caption, icon, buttons});
        if (!answers.isEmpty()) return answers.takeFirst();
        return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    int count(const QString &text) const {
        int n = 0;
        for (const Asked &a : asked)
            n += a.text == text ? 1 : 0;
        return n;
    }
};

} // namespace zevo3::test

#pragma once
// The message box as the windows use it. The real one is QMessageBox; tests
// hand in a double that records every text and caption and answers as told.

#include <QString>

class QWidget;

namespace zevo3 {

enum class MsgIcon { None, Information, Warning, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgAnswer ask(QWidget *parent, const QString &text, const QString &caption,
                          MsgIcon icon, MsgButtons buttons) = 0;
};

class QtPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon,
                  MsgButtons buttons) override;
};

} // namespace zevo3

#include "cell_editor.h"

#include "text_codec.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zevo3 {

QValidator::State CellTextValidator::validate(QString &input, int &pos) const {
    Q_UNUSED(pos);
    input.replace(QLatin1Char(','), QStringLiteral("，"));
    input.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return encodableInCp932(input) ? Acceptable : Invalid;
}

QWidget *CellEditorDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setObjectName(QStringLiteral("sGridEditor"));
        line->setValidator(new CellTextValidator(line));
    }
    editing_ = index;
    return editor;
}

bool CellEditorDelegate::eventFilter(QObject *object, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->text() == QLatin1String(",")) { // a typed comma is not taken
            emit commaRefused();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QPersistentModelIndex index = editing_;
            const bool handled = QStyledItemDelegate::eventFilter(object, event);
            if (index.isValid()) emit editorEnter(index);
            return handled;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace zevo3

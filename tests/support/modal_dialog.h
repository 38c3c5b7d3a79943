#pragma once
// Answers a modal dialog the code under test opens: the test schedules the
// answer, then calls what opens the dialog.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace zevo3::test {

// Runs `act` on the modal dialog of type T once it is up. When none is up
// within the time-out, the test fails, and a modal dialog of another kind
// that is up is rejected, so that its exec() returns and the test cannot
// hang on it.
template <typename T> void whenModal(std::function<void(T *)> act, int timeoutMs = 5000) {
    const auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    const auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, deadline, weak = std::weak_ptr<std::function<void()>>(poll)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<T *>(modal)) {
            act(dialog);
            return;
        }
        if (deadline->hasExpired()) {
            ADD_FAILURE() << "the dialog " << T::staticMetaObject.className() << " did not come up";
            if (auto *other = qobject_cast<QDialog *>(modal)) other->reject();
            return;
        }
        if (const auto next = weak.lock()) QTimer::singleShot(10, [next] { (*next)(); });
    };
    // Each pending round holds the chain; it is gone once it ends.
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

} // namespace zevo3::test

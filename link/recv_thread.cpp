#include "recv_thread.h"

#include "link.h"

namespace zevo3 {

void TRecvThread::run() {
    bool more = false;
    while (!link_.stopRequested()) {
        // Input, an error or a stop request wakes the wait at once; the tick
        // only matters while a message waits for its silence time-out.
        const bool signalled =
            more || link_.device().waitForInput(link_.messagePending() ? kTickMs : kIdleMs);
        if (link_.stopRequested()) break;
        // The acknowledgement wait reads an answer on the GUI thread as soon
        // as it is there: a wake-up for input it has already read needs no
        // step, and no round trip through the GUI thread.
        if ((signalled && link_.device().inputWaiting()) || link_.messagePending()) {
            QMetaObject::invokeMethod(
                &link_, [this, &more] { more = link_.ReceiveStep(); },
                Qt::BlockingQueuedConnection);
        } else {
            more = false;
        }
        if (link_.lineFailure()) {
            QMetaObject::invokeMethod(
                &link_, [this] { link_.HandleLineFailure(); }, Qt::BlockingQueuedConnection);
            return;
        }
    }
    link_.receiverEnded();
}

} // namespace zevo3

#include "app/startup_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace bastara::app {

namespace {

    class FirstPaintReport : public QObject
    {
    public:
        explicit FirstPaintReport(QWidget& window)
            : QObject(&window)
        { }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !m_seen) {
                m_seen = true;
                // After this paint pass: the children's paints and the flush
                // to the display come in the same pass.
                QMetaObject::invokeMethod(this, &FirstPaintReport::report, Qt::QueuedConnection);
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        void report()
        {
            const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            std::printf("main window painted at %lld us\n", static_cast<long long>(now.count()));
            std::fflush(stdout);
            QCoreApplication::quit();
        }

        bool m_seen = false;
    };

} // namespace

void reportStartupWhenPainted(QWidget& mainWindow)
{
    if (qEnvironmentVariableIsEmpty("BASTARA_REPORT_STARTUP"))
        return;
    mainWindow.installEventFilter(new FirstPaintReport(mainWindow));
}

} // namespace bastara::app

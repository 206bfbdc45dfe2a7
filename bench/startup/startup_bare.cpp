// The practical limit for the program's start-up: a bare Qt main window with one menu that,
// like the program under TESSARO_CLOSE_AFTER_START, says "painted" once it has first been
// painted and then closes.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdio>

namespace {

class BareFrame : public QMainWindow
{
protected:
    bool event(QEvent *event) override
    {
        const bool handled = QMainWindow::event(event);
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    close();
                },
                Qt::QueuedConnection);
        }
        return handled;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareFrame frame;
    frame.setWindowTitle(QStringLiteral("Bare"));
    frame.menuBar()->addMenu(QStringLiteral("Datei"))->addAction(QStringLiteral("Beenden"));
    frame.resize(1100, 760);
    frame.show();
    return app.exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up benchmark's peer: a bare Qt widgets window of the main window's
// size that ends as soon as it has painted its first frame.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(678, 517);
    window.show();
    return app.exec();
}

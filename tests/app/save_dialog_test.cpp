// SPDX-License-Identifier: GPL-3.0-or-later
// The real save dialog, typed into and answered: a name that differs from an
// existing board only in letter case asks before replacing it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "../platform/temp_folder.h"
#include "../support/qt_app.h"
#include "platform/dialogs_qt.h"

namespace {

// The dialog's answer, once it has been given.
std::optional<std::string> Answer(dorvane::platform::QtDialogs& dialogs,
                                  const dorvane::platform::FileDialogRequest& r, bool save) {
    std::optional<std::optional<std::string>> answer;
    const auto then = [&](const std::optional<std::string>& chosen) { answer = chosen; };
    save ? dialogs.saveFile(r, then) : dialogs.openFile(r, then);
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 20000));
    return answer.value_or(std::nullopt);
}

// Types `name` into the file dialog, then answers its question with `answer`
// (the dialog is cancelled after a No), and records the question.
std::optional<std::string> SaveAs(const TempFolder& dir, const char* name,
                                  QMessageBox::StandardButton answer, QString& question) {
    QtApp();
    dorvane::platform::QtDialogs dialogs;
    dorvane::platform::FileDialogRequest r;
    r.title = "Save goals...";
    r.filterName = "Dorvane projects";
    r.filterPattern = "*.gls";
    r.defaultSuffix = "gls";
    r.folder = dir.path().string();
    r.confirmOverwrite = true;
    bool typed = false;
    QTimer driver;  // acts on whichever dialog is open, as a user would
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            question = box->text();
            box->button(answer)->click();
        } else if (auto* file = qobject_cast<QFileDialog*>(modal); file && !typed) {
            typed = true;
            file->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            QMetaObject::invokeMethod(file, "accept", Qt::QueuedConnection);
        } else if (file && !question.isEmpty()) {
            file->reject();
        }
    });
    driver.start(10);
    return Answer(dialogs, r, true);
}

TEST(SaveDialog, ANameDifferingOnlyInCaseAsksAndGivesTheExistingFile) {
    TempFolder dir;
    std::ofstream(dir / "plan.gls") << "earlier";
    QString question;
    EXPECT_EQ(SaveAs(dir, "Plan", QMessageBox::Yes, question), (dir / "plan.gls").string());
    EXPECT_EQ(question, "plan.gls already exists.\nDo you want to replace it?");
    question.clear();
    EXPECT_EQ(SaveAs(dir, "PLAN.GLS", QMessageBox::No, question), std::nullopt);
    EXPECT_FALSE(question.isEmpty());
    question.clear();
    EXPECT_EQ(SaveAs(dir, "other", QMessageBox::Yes, question), (dir / "other.gls").string());
    EXPECT_TRUE(question.isEmpty());  // a new name asks nothing
}

// The save dialog keeps the size it opens with, whatever the window manager asks;
// the picture dialog can be resized.
TEST(SaveDialog, OnlyAResizableRequestCanBeResized) {
    QtApp();
    for (bool resizable : {false, true}) {
        dorvane::platform::QtDialogs dialogs;
        dorvane::platform::FileDialogRequest r;
        r.title = "Save goals...";
        r.resizable = resizable;
        QSize opened, asked;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* file = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!file) return;
            opened = file->size();
            file->resize(opened + QSize(120, 80));
            asked = file->size();
            file->reject();
        });
        driver.start(10);
        EXPECT_EQ(Answer(dialogs, r, !resizable), std::nullopt);
        ASSERT_TRUE(opened.isValid());
        EXPECT_EQ(asked == opened, !resizable) << resizable;
        EXPECT_GT(opened.width(), 300) << resizable;  // not shrunk to nothing
    }
}
}  // namespace

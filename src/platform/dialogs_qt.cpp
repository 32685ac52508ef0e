// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs_qt.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>

namespace dorvane::platform {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(DisplayText(s));
}

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The picture preview pane of the open dialog: the highlighted file, reduced.
void AddPreviewPane(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(200, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& f) {
        QImageReader reader(f);
        const QSize size = reader.size();
        if (size.isValid() && size.width() * static_cast<qint64>(size.height()) < (1 << 28)) {
            reader.setScaledSize(size.scaled(preview->size(), Qt::KeepAspectRatio));
            preview->setPixmap(QPixmap::fromImage(reader.read()));
        } else {
            preview->setPixmap({});
        }
    });
}

QFileDialog::Options OptionsFor(const FileDialogRequest& r) {
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if (!r.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    return options;
}

std::optional<std::string> Run(QWidget* owner, const FileDialogRequest& r, bool save) {
    QFileDialog dialog(owner, QString::fromStdString(r.title), QString::fromStdString(r.folder),
                       QString::fromStdString(r.filterName + " (" + r.filterPattern + ")"));
    dialog.setOptions(OptionsFor(r));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultSuffix));
    if (!r.fileName.empty()) dialog.selectFile(QString::fromStdString(r.fileName));
    if (r.picturePreview) AddPreviewPane(dialog);
    if (!r.resizable) dialog.setSizeGripEnabled(false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

void QtDialogs::inform(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Dorvane", Q(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::ask(const std::string& title, const std::string& text, BoxIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), Q(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::showError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "Dorvane", Q(text), QMessageBox::Ok, owner_);
    box.exec();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request) {
    return Run(owner_, request, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request) {
    return Run(owner_, request, true);
}

}  // namespace dorvane::platform

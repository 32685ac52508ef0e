// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs_qt.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <filesystem>

#include "platform/error_report.h"
#include "platform/files.h"

namespace dorvane::platform {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(DisplayText(s));
}

// A box to answer, not a window to keep: a title and a close button only (openbox,
// for one, adds minimise and maximise buttons to a dialog that does not say so).
void AnswerOnlyFrame(QMessageBox& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
}

// Shows the box modal to its window without an event loop of its own: the
// button chosen goes to `then`, through the command guard, and the box deletes
// itself.
void Open(QMessageBox* box, std::function<void(QMessageBox::StandardButton)> then) {
    AnswerOnlyFrame(*box);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, then = std::move(then)] {
        const QMessageBox::StandardButton chosen = box->standardButton(box->clickedButton());
        RunCommand([&] { then(chosen); });
    });
    box->open();
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
        reader.setAutoTransform(true);  // upright, as the gallery will show it
        const QSize size = reader.size();
        if (size.isValid() && size.width() * static_cast<qint64>(size.height()) < (1 << 28)) {
            // The reduced size is of the stored picture, which may be turned afterwards.
            const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
            const QSize box = turned ? preview->size().transposed() : preview->size();
            reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
            preview->setPixmap(QPixmap::fromImage(reader.read()));
        } else {
            preview->setPixmap({});
        }
    });
}

// File names match without regard to letter case, as they did where boards were
// first saved: replacing "plan.gls" by typing "Plan.gls" asks first, and the
// answer names the existing file so that it is replaced and keeps its spelling.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    const QString& existingOther() const { return existingOther_; }

    void accept() override {
        existingOther_.clear();
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && !testOption(DontConfirmOverwrite) && files.size() == 1) {
            const QFileInfo typed(files.first());
            const std::filesystem::path other =
                ResolveName(typed.absolutePath().toStdString(), typed.fileName().toStdString());
            std::error_code ec;
            if (!typed.exists() && std::filesystem::is_regular_file(other, ec)) {
                const QString name = QString::fromStdString(other.filename().string());
                auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                            name + " already exists.\nDo you want to replace it?",
                                            QMessageBox::Yes | QMessageBox::No, this);
                box->setDefaultButton(QMessageBox::No);
                Open(box, [this, other = QString::fromStdString(other.string())](
                              QMessageBox::StandardButton answer) {
                    if (answer != QMessageBox::Yes) return;
                    existingOther_ = other;
                    QDialog::accept();
                });
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    QString existingOther_;
};

QFileDialog::Options OptionsFor(const FileDialogRequest& r) {
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if (!r.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    return options;
}

void Run(QWidget* owner, const FileDialogRequest& r, bool save, Dialogs::Chosen then) {
    auto* dialog =
        new FileDialog(owner, QString::fromStdString(r.title), QString::fromStdString(r.folder),
                       QString::fromStdString(r.filterName + " (" + r.filterPattern + ")"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOptions(OptionsFor(r));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QString::fromStdString(r.defaultSuffix));
    if (!r.fileName.empty()) dialog->selectFile(QString::fromStdString(r.fileName));
    if (r.picturePreview) AddPreviewPane(*dialog);
    if (!r.resizable) {
        // Without the grip the window manager's frame still resizes it: fix
        // its size at the one it would open with.
        dialog->setSizeGripEnabled(false);
        dialog->adjustSize();
        dialog->setFixedSize(dialog->size());
    }
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, then](int result) {
        std::optional<std::string> chosen;
        if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
            chosen = (dialog->existingOther().isEmpty() ? dialog->selectedFiles().first()
                                                        : dialog->existingOther())
                         .toStdString();
        if (then) RunCommand([&] { then(chosen); });
    });
    dialog->open();
}

}  // namespace

void QtDialogs::inform(const std::string& text, Done then) {
    Open(new QMessageBox(QMessageBox::NoIcon, "Dorvane", Q(text), QMessageBox::Ok, owner_),
         [then](QMessageBox::StandardButton) {
             if (then) then();
         });
}

void QtDialogs::ask(const std::string& title, const std::string& text, BoxIcon icon, Answer then) {
    auto* box = new QMessageBox(ToQt(icon), QString::fromStdString(title), Q(text),
                                QMessageBox::Yes | QMessageBox::No, owner_);
    box->setDefaultButton(QMessageBox::No);
    Open(box, [then](QMessageBox::StandardButton answer) {
        if (then) then(answer == QMessageBox::Yes);
    });
}

void QtDialogs::showError(const std::string& text, Done then) {
    Open(new QMessageBox(QMessageBox::Critical, "Dorvane", Q(text), QMessageBox::Ok, owner_),
         [then](QMessageBox::StandardButton) {
             if (then) then();
         });
}

void QtDialogs::openFile(const FileDialogRequest& request, Chosen then) {
    Run(owner_, request, false, std::move(then));
}

void QtDialogs::saveFile(const FileDialogRequest& request, Chosen then) {
    Run(owner_, request, true, std::move(then));
}

}  // namespace dorvane::platform

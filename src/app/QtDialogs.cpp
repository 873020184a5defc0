#include "app/QtDialogs.h"

#include "shared/TextEncoding.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

namespace tarvisol::app {
namespace {
const char* kTitle = "Tarvisol for Swine";
QString Title(const std::string& t) { return t.empty() ? QString(kTitle) : QString::fromStdString(t); }
// Messages join the program's own UTF-8 text with names from the location's
// files (Windows-1252 bytes): each shown as the characters it is.
QString Shown(const std::string& text) { return QString::fromStdString(MixedTextToUtf8(text)); }
}  // namespace

void QtDialogs::Message(const std::string& text, const std::string& title) {
    QMessageBox::information(parent_, Title(title), Shown(text), QMessageBox::Ok);
}

void QtDialogs::Note(const std::string& text, const std::string& title) {
    if (!status_) {
        Message(text, title);
        return;
    }
    status_->showMessage(QString::fromStdString(text), 15000);
}

Answer QtDialogs::Ask(const std::string& text, Buttons buttons, const std::string& title) {
    QMessageBox::StandardButtons b = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) b |= QMessageBox::Cancel;
    const auto r = QMessageBox::question(parent_, Title(title), Shown(text), b);
    if (r == QMessageBox::Yes) return Answer::Yes;
    if (r == QMessageBox::No) return Answer::No;
    return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
}

std::string QtDialogs::Input(const std::string& prompt, const std::string& title, const std::string& initial) {
    bool ok = false;
    const QString t = QInputDialog::getText(parent_, Title(title), Shown(prompt), QLineEdit::Normal,
                                            QString::fromStdString(initial), &ok);
    return ok ? t.toStdString() : std::string();
}

QString QtFilter(const std::string& pattern) {
    QString p = QString::fromStdString(pattern);
    p.replace(';', ' ');
    return p + QStringLiteral(" (") + p + QStringLiteral(");;All files (*)");
}

std::string QtDialogs::OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                                const std::string& initial) {
    QFileDialog d(parent_, QString::fromStdString(title), QString::fromStdString(folder), QtFilter(filter));
    d.setFileMode(QFileDialog::AnyFile);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setOption(QFileDialog::DontConfirmOverwrite);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return initial;
    return d.selectedFiles().first().toStdString();
}

std::string QtDialogs::SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                                const std::string& initial) {
    const QString start = QString::fromStdString(folder) + "/" +
                          (initial.find('*') == std::string::npos ? QString::fromStdString(initial) : QString());
    const QString name = QFileDialog::getSaveFileName(parent_, QString::fromStdString(title), start, QtFilter(filter));
    return name.isEmpty() ? initial : name.toStdString();
}

// The clipboard carries grid text, which is the single-byte text of the
// location files: converted here, so a copy and paste keeps every byte.
std::string QtClipboard::GetText() { return Utf8ToWindows1252(QApplication::clipboard()->text().toStdString()); }
void QtClipboard::SetText(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(Windows1252ToUtf8(text)));
}

QtProgress::QtProgress(QWidget* parent, const QString& title) : parent_(parent), title_(title) {}

QtProgress::~QtProgress() { delete dialog_; }

void QtProgress::Report(const std::string& stage, long done, long total, const std::string& detail) {
    if (!dialog_) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, [this] { cancelled_ = true; });
    }
    dialog_->setMaximum(static_cast<int>(std::max(total, 1L)));
    dialog_->setValue(static_cast<int>(std::min(done, total)));
    QString label = QString::fromStdString(stage);
    if (!detail.empty()) label += "\n" + QString::fromStdString(detail);
    dialog_->setLabelText(label);
    if (!dialog_->isVisible()) dialog_->show();
    QCoreApplication::processEvents();
}

bool QtProgress::Cancelled() const { return cancelled_ || (dialog_ && dialog_->wasCanceled()); }

void QtProgress::Finish() {
    if (!dialog_) return;
    cancelled_ = cancelled_ || dialog_->wasCanceled();
    dialog_->hide();
    dialog_->deleteLater();
    dialog_ = nullptr;
}

}  // namespace tarvisol::app

#include "platform/SystemPrompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString startPath(const FileDialogRequest& request) {
    if (request.proposedName.isEmpty()) return request.directory;
    if (request.directory.isEmpty()) return request.proposedName;
    return request.directory + QLatin1Char('/') + request.proposedName;
}

}  // namespace

MessageAnswer SystemPrompter::ask(QWidget* owner, const Message& message) {
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::NoButton, owner);
    // The first button is the default, so Enter answers Yes or OK.
    if (message.buttons == MessageButtons::YesNo) {
        box.setDefaultButton(box.addButton(QMessageBox::Yes));
        box.addButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else if (message.buttons == MessageButtons::OkCancel) {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
        box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    // A message box is the one place a synchronous answer is the point: the caller's next
    // step depends on it. Tests replace this class, so no test ever waits here.
    switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default: break;
    }
    return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString SystemPrompter::openFileName(QWidget* owner, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(owner, request.caption, startPath(request), request.filter);
}

QString SystemPrompter::saveFileName(QWidget* owner, const FileDialogRequest& request) {
    return QFileDialog::getSaveFileName(owner, request.caption, startPath(request), request.filter);
}

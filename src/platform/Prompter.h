#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// One message box as the user sees it. A box without a title of its own reads "信息：".
struct Message {
    QString text;
    QString title = QStringLiteral("信息：");
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

struct FileDialogRequest {
    QString caption;
    QString directory;
    QString filter;
    QString proposedName;
};

// Message boxes and file dialogs. Every window asks through this seam so tests can answer.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows a modal box and returns the button pressed; the first button is the default.
    virtual MessageAnswer ask(QWidget* owner, const Message& message) = 0;
    // An empty text means the user cancelled.
    virtual QString openFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* owner, const FileDialogRequest& request) = 0;

    void tell(QWidget* owner, const QString& text, MessageIcon icon = MessageIcon::None,
              const QString& title = QStringLiteral("信息：")) {
        ask(owner, Message{text, title, icon, MessageButtons::Ok});
    }
    bool confirm(QWidget* owner, const QString& text, MessageIcon icon = MessageIcon::None,
                 const QString& title = QStringLiteral("信息：")) {
        return ask(owner, Message{text, title, icon, MessageButtons::YesNo}) == MessageAnswer::Yes;
    }
};

#pragma once

#include "platform/Prompter.h"

class SystemPrompter : public Prompter {
public:
    MessageAnswer ask(QWidget* owner, const Message& message) override;
    QString openFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const FileDialogRequest& request) override;
};

#pragma once

#include <QComboBox>

class QLineEdit;

// An edit box with a drop-down list beside it: an editable combo box whose line edit is the
// edit box. It signals before its list drops down so the list can be refilled.
class DropDownEdit : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownEdit(bool editable, QWidget* parent = nullptr);

    // Replaces the list; the edit box keeps its text.
    void replaceItems(const QStringList& texts, const QList<QVariant>& values = {});
    void showPopup() override;

signals:
    void aboutToDropDown();
};

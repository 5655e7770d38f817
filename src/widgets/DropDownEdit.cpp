#include "widgets/DropDownEdit.h"

#include <QLineEdit>

DropDownEdit::DropDownEdit(bool editable, QWidget* parent) : QComboBox(parent) {
    setEditable(editable);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    setMaxVisibleItems(20);
}

void DropDownEdit::replaceItems(const QStringList& texts, const QList<QVariant>& values) {
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    for (int i = 0; i < texts.size(); ++i) addItem(texts[i], values.value(i));
    if (isEditable()) {
        setCurrentIndex(-1);
        setEditText(text);
    } else {
        setCurrentIndex(std::max(0, findText(text, Qt::MatchExactly)));
    }
}

void DropDownEdit::showPopup() {
    emit aboutToDropDown();
    QComboBox::showPopup();
}

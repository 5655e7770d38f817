#pragma once

#include <QObject>
#include <QString>

class Database;
class Prompter;
struct MainWindowUi;

// Type-ahead in the name box: each edit looks the text up in 商品名称, completes the name
// (the completion selected, so typing on replaces it) and takes over the product's price.
// Also the suggestion list under the box and the wheel over it.
class ProductTypeAhead : public QObject {
    Q_OBJECT
public:
    ProductTypeAhead(Database& db, Prompter& prompter, const MainWindowUi& ui, QObject* parent = nullptr);

    // Finds the last product whose name begins with the box text; false when the query failed.
    bool lookupProduct();
    // The suggestion list, filled from 商品名称: text 名称, value the whole part of 单价.
    void fillProductCombo();

    const QString& lastFoundName() const { return lastFoundName_; }
    bool suggestionPicked() const { return suggestionPicked_; }
    // A product was stored or picked: from now on no line stores a product by itself.
    void markPicked() { suggestionPicked_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameEdited(const QString& text);
    void suggestionSelected(int index);
    void wheelOverName(int direction);

    Database& db_;
    Prompter& prompter_;
    const MainWindowUi& ui_;
    QString lastFoundName_;
    // The edit under way comes from Backspace or Delete.
    bool deleting_ = false;
    int suggestionIndex_ = 0;
    bool suggestionPicked_ = false;
};

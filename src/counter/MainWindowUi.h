#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeView;
class DropDownEdit;
class ReportListModel;

// The controls of the sales counter, each under the name the shop's manuals use.
struct MainWindowUi {
    QLineEdit* shopName;            // 编辑框_店名
    QLineEdit* receiptNumber;       // 编辑框_单号
    QLineEdit* time;                // 编辑框_时间
    QCheckBox* editTime;            // 选择框_修改时间
    DropDownEdit* nameCombo;        // 组合框_名称
    QLineEdit* name;                // 编辑框_名称
    QLineEdit* quantity;            // 编辑框_数量
    QLineEdit* price;               // 编辑框_单价
    QCheckBox* discountSwitch;      // 选择框_折扣
    DropDownEdit* discountCombo;    // 组合框_折扣
    QPushButton* deleteButton;      // 按钮_删除
    QPushButton* modifyButton;      // 按钮_修改
    QPushButton* addButton;         // 按钮_添加商品
    QTreeView* saleList;            // 超级列表框1
    ReportListModel* saleLines;
    QLabel* totalQuantity;          // 标签_总量
    QLabel* totalAmount;            // 标签_总金额
    QLabel* discountedTotal;        // 标签_打折后
    QCheckBox* paymentSwitch;       // 选择框_付款方式
    DropDownEdit* paymentCombo;     // 组合框_付款方式
    QLineEdit* payment;             // 编辑框_付款方式
    QPushButton* paymentButton;     // 按钮_付款方式
    QCheckBox* phoneSwitch;         // 选择框_电话
    DropDownEdit* phoneCombo;       // 组合框_电话
    QLineEdit* phone;               // 编辑框_电话
    QCheckBox* customerSwitch;      // 选择框_客户
    DropDownEdit* customerCombo;    // 组合框_客户
    QLineEdit* customer;            // 编辑框_客户
    QPushButton* setCustomerButton; // 按钮_设置客户
    DropDownEdit* cashierCombo;     // 组合框_收银员
    QLineEdit* cashier;             // 编辑框_收银员
    QPushButton* saveOnlyButton;    // 按钮_仅保存小票
    DropDownEdit* receivedCombo;    // 组合框_实收
    QLineEdit* received;            // 编辑框_实收
    QLineEdit* change;              // 编辑框_找零
    QPlainTextEdit* notes;          // 编辑框_备注
    QPushButton* previewButton;     // 按钮_打印预览
    QPushButton* printButton;       // 按钮_打印小票
    QLabel* pictureBox;             // 图片框1
    QLabel* feedback;               // 标签_反馈
    QTimer* clock;                  // 时钟1

    QAction* settingsAction;
    QAction* recordsAction;
    QAction* calculatorAction;
    QAction* editorAction;
    QAction* contactAction;
    QAction* aboutAction;

    void build(QMainWindow* window);
};

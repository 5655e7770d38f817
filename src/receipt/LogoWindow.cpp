#include "receipt/LogoWindow.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Prompter.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/LogoSettings.h"
#include "store/PrintOptions.h"
#include "widgets/Named.h"

namespace {

constexpr int pictureSide = 284;
// A logo is a small picture; this keeps a mistaken choice (a film, a disc image) out of the file.
constexpr qint64 largestPicture = 64 * 1024 * 1024;

const QString addFailed = QStringLiteral("数据添加失败！");

// A whole number of 0.1 mm as typed; sizes cannot be negative, a shift can.
std::optional<int> measureOf(const QLineEdit* box, bool mayBeNegative) {
    bool ok = false;
    const int value = box->text().trimmed().toInt(&ok);
    if (!ok || (!mayBeNegative && value < 0) || value > 100000 || value < -100000) return std::nullopt;
    return value;
}

QLineEdit* measureBox(const char* name, const QString& text, QWidget* parent) {
    auto* box = named(new QLineEdit(text, parent), name);
    box->setMaximumWidth(70);
    return box;
}

}  // namespace

LogoWindow::LogoWindow(Database& db, Prompter& prompter, PrintOptions& options, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter), options_(options) {
    setObjectName(QStringLiteral("LogoWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(412, 525);

    auto* frame = named(new QLabel(this), "标签5");
    frame->setFrameShape(QFrame::Box);
    frame->setFixedSize(pictureSide + 16, pictureSide + 16);
    pictureBox_ = named(new QLabel(frame), "图片框1");
    pictureBox_->setGeometry(8, 8, pictureSide, pictureSide);
    pictureBox_->setAlignment(Qt::AlignCenter);

    auto* hints = named(new QLabel(QStringLiteral("1.导入图片可以是任意格式\n\n2.图片尺寸宽度高度，建议自行调整\n\n"
                                                  "3.偏差输入负数向左，正数向右移动"),
                                   this),
                        "标签2");
    // What the boxes hold when the stored values cannot be read.
    offset_ = measureBox("编辑框_偏差", QStringLiteral("0"), this);
    height_ = measureBox("编辑框_高度", QStringLiteral("300"), this);
    width_ = measureBox("编辑框_宽度", QStringLiteral("400"), this);
    auto* offsetLabel = named(new QLabel(QStringLiteral("图像偏差："), this), "标签1");
    auto* heightLabel = named(new QLabel(QStringLiteral("图像高度："), this), "标签3");
    auto* widthLabel = named(new QLabel(QStringLiteral("图像宽度："), this), "标签4");
    offsetLabel->setBuddy(offset_);
    heightLabel->setBuddy(height_);
    widthLabel->setBuddy(width_);

    printLogo_ = named(new QCheckBox(QStringLiteral("打印logo"), this), "选择框1");
    auto* change = named(new QPushButton(QStringLiteral("更改logo"), this), "按钮_更改logo");
    auto* save = named(new QPushButton(QStringLiteral("保存"), this), "按钮_保存");
    auto* quit = named(new QPushButton(QStringLiteral("退出"), this), "按钮2");
    for (QPushButton* button : {change, save, quit}) button->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 0, Qt::AlignHCenter);
    layout->addWidget(hints);
    auto* measures = new QHBoxLayout;
    for (auto [label, box] : {std::pair{offsetLabel, offset_}, {heightLabel, height_}, {widthLabel, width_}}) {
        measures->addWidget(label);
        measures->addWidget(box);
    }
    layout->addLayout(measures);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printLogo_);
    buttons->addStretch();
    buttons->addWidget(change);
    buttons->addWidget(save);
    buttons->addWidget(quit);
    layout->addLayout(buttons);

    if (const std::optional<QByteArray> picture = loadLogoPicture(db_, prompter_, this)) picture_ = *picture;
    showPicture();
    if (const std::optional<LogoGeometry> geometry = readLogoGeometry(db_, prompter_, this)) {
        offset_->setText(QString::number(geometry->offset));
        height_->setText(QString::number(geometry->height));
        width_->setText(QString::number(geometry->width));
    }
    const bool on = readLogoFlag(db_, prompter_, this) == QStringLiteral("真");
    printLogo_->setChecked(on);
    options_.printLogo = on;

    connect(change, &QPushButton::clicked, this, &LogoWindow::changeLogo);
    connect(save, &QPushButton::clicked, this, &LogoWindow::saveLogoGeometry);
    connect(printLogo_, &QCheckBox::clicked, this, &LogoWindow::setPrintLogo);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
}

void LogoWindow::showPicture() {
    QBuffer buffer(&picture_);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid()) reader.setScaledSize(size.scaled(pictureSide, pictureSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        pictureBox_->setPixmap(QPixmap());
    else
        pictureBox_->setPixmap(QPixmap::fromImage(image));
}

void LogoWindow::changeLogo() {
    const QString path = prompter_.openFileName(this, {QString(), QString(), QStringLiteral("*.* (*)"), QString()});
    if (!path.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            prompter_.tell(this, QStringLiteral("无法读取所选文件！"), MessageIcon::Error);
            return;
        }
        if (file.size() > largestPicture) {
            prompter_.tell(this, QStringLiteral("图片文件太大（超过 64 MB），请选择较小的图片。"), MessageIcon::Error);
            return;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            prompter_.tell(this, QStringLiteral("无法读取所选文件！"), MessageIcon::Error);
            return;
        }
        picture_ = bytes;
        showPicture();
    }
    // What the box shows is stored, chosen anew or not.
    if (writeConfigValue(db_, QStringLiteral("logo"), picture_))
        prompter_.tell(this, QStringLiteral("数据添加成功！"), MessageIcon::Information);
    else
        prompter_.tell(this, addFailed, MessageIcon::Error);
}

void LogoWindow::saveLogoGeometry() {
    const std::optional<int> offset = measureOf(offset_, true);
    const std::optional<int> height = measureOf(height_, false);
    const std::optional<int> width = measureOf(width_, false);
    // All three or none: a receipt never gets a new shift with an old size.
    const bool stored =
        offset && height && width &&
        db_.execute(QStringLiteral("UPDATE 配置文件 SET logo偏差 = ?, logo高度 = ?, logo宽度 = ? WHERE ID = 1"),
                    {*offset, *height, *width});
    if (!stored) prompter_.tell(this, addFailed, MessageIcon::Error);
}

void LogoWindow::setPrintLogo(bool on) {
    if (!writeConfigValue(db_, QStringLiteral("是否打印logo"), on ? QStringLiteral("真") : QStringLiteral("假"))) {
        prompter_.tell(this, QStringLiteral("数据修改失败"));
        return;
    }
    options_.printLogo = on;
}

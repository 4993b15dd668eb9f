#include "tools/gallery/gallery_sheet.h"

#include "platform/gdi/qt_image.h"
#include "support/button_scenes.h"

#include <QPainter>
#include <algorithm>
#include <string>
#include <vector>

namespace bastara::gallery {

namespace {

    using button::test::ButtonScene;

    // Cells are as large as the scenes' button; a picture shape may be smaller.
    constexpr int kCellWidth = 137;
    constexpr int kCellHeight = 41;
    constexpr int kMargin = 16;
    constexpr int kRowLabelWidth = 110;
    constexpr int kColumnGap = 16;
    constexpr int kLabelHeight = 15;
    constexpr int kRowGap = 14;
    constexpr int kColumnPitch = kCellWidth + kColumnGap;
    constexpr int kRowPitch = kLabelHeight + kCellHeight + kRowGap;

    const QColor kInk(0x33, 0x33, 0x33);

    struct Row {
        std::string label;
        std::vector<const ButtonScene*> scenes;
    };

    // The table's rows, in its order.
    std::vector<Row> rowsOf(const std::vector<ButtonScene>& scenes)
    {
        std::vector<Row> rows;
        for (const ButtonScene& scene : scenes) {
            if (rows.empty() || rows.back().label != scene.row)
                rows.push_back({ scene.row, {} });
            rows.back().scenes.push_back(&scene);
        }
        return rows;
    }

    QFont labelFont(bool bold)
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        font.setBold(bold);
        font.setHintingPreference(QFont::PreferVerticalHinting);
        font.setStyleStrategy(QFont::NoSubpixelAntialias);
        return font;
    }

} // namespace

QImage drawGallerySheet()
{
    const std::vector<Row> rows = rowsOf(button::test::buttonScenes());
    std::size_t columns = 0;
    for (const Row& row : rows)
        columns = std::max(columns, row.scenes.size());

    QImage sheet(kMargin * 2 + kRowLabelWidth + int(columns) * kColumnPitch - kColumnGap,
        kMargin * 2 + int(rows.size()) * kRowPitch - kRowGap, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);

    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int top = kMargin + int(r) * kRowPitch;
        painter.setFont(labelFont(true));
        painter.setPen(kInk);
        painter.drawText(QRect(kMargin, top + kLabelHeight, kRowLabelWidth, kCellHeight),
            Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(rows[r].label));

        painter.setFont(labelFont(false));
        for (std::size_t c = 0; c < rows[r].scenes.size(); ++c) {
            const ButtonScene& scene = *rows[r].scenes[c];
            const int left = kMargin + kRowLabelWidth + int(c) * kColumnPitch;
            painter.setPen(kInk);
            painter.drawText(QRect(left, top, kCellWidth, kLabelHeight),
                Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(scene.label));
            const QRect cell(left, top + kLabelHeight, kCellWidth, kCellHeight);
            painter.drawImage(cell.topLeft(), gdi::toQImage(*button::test::renderScene(scene)));
        }
    }
    return sheet;
}

} // namespace bastara::gallery

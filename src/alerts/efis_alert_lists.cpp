// The two message lists of EfisDisplay: keeping them in step with the
// records' conditions, and drawing them into their boxes.

#include "alerts/alert_colour.h"
#include "gauges/efis_display.h"
#include "gauges/table_rows.h"

void EfisDisplay::setAlertActive(AlertRecord& record, bool active)
{
    record.active = active ? 1 : 0;
}

void EfisDisplay::updateAlertLists()
{
    evaluateAlerts();
    for (int slot = 0; slot < kAlertRecordCount; ++slot) {
        AlertRecord& record = alertRecords[slot];
        AlertList& list = slot < kFirstStatusSlot ? alertList : statusList;
        if (record.active && !record.listed)
            list.insert(record);
        else if (record.listed && !record.active)
            list.remove(record);
    }
}

void EfisDisplay::drawAlertList()
{
    if (layoutPending && graphics != nullptr) {
        Font const* alertFont = font(FontRow::Alert);
        alertLineHeight = alertFont ? graphics->measureString(u"A", *alertFont, {}, StringFormat {}).height : 0;
    }
    drawList(alertList, alertBox, 0);
}

void EfisDisplay::drawStatusList()
{
    drawList(statusList, statusBox, 1);
}

void EfisDisplay::drawList(AlertList const& list, RectF const& box, int regionIndex)
{
    if (graphics == nullptr)
        return;
    // The region is the box as of the last layout rebuild.
    RectF const clip = regionIndex < static_cast<int>(regions.size()) && regions[regionIndex]
        ? *regions[regionIndex]
        : box;
    graphics->setClip(clip);
    PointF position { box.x, box.y };
    float const lastTop = box.y + box.height - alertLineHeight;
    for (int i = 0; i < AlertList::kCapacity && list.at(i) != nullptr; ++i) {
        AlertRecord const& record = *list.at(i);
        drawAlertLine(record.textView(), record.level, position, -1);
        position.y += alertLineHeight;
        if (position.y >= lastTop)
            break;
    }
    graphics->resetClip();
}

void EfisDisplay::drawAlertLine(std::u16string_view text, int level, PointF position, int colourIndex)
{
    int const row = alertLineColourRow(level, colourIndex);
    Font const* alertFont = font(FontRow::Alert);
    Brush const* lineBrush = row < static_cast<int>(colours.size()) ? brush(row) : nullptr;
    if (graphics == nullptr || alertFont == nullptr || lineBrush == nullptr)
        return;
    graphics->drawString(text, *alertFont, position, StringFormat {}, *lineBrush);
}

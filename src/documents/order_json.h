// order_json.h — orders as JSON: building an order from its description (header, rates, positions
// with sizes and sash choices) and writing every field of an order, the command-line tool's contract.
#pragma once
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "documents/mat_list.h"

namespace qx {

class TqxfOrder;
class TqxfConstruction;
class TqxfFlugel;
class TqxfFurnComp;

// The description's object; text that is not a JSON object raises TqxfError with the parser's place.
QJsonObject ParseOrderSpec(const QByteArray& json);

// Fills a new order from the description: the defaults of a new order (InitNewOrder), then the
// header fields given by name, the rates given in "Currencies" (else the catalog's current rates),
// then each position as the position dialog and the sash hardware dialog would build it, priced in
// the order's currency and rates. A field of the wrong kind or an unknown field raises TqxfError
// naming it; a position that fails raises "%s\r\n[Позиция: %s]".
void BuildOrderFromSpec(TqxfOrder& order, const QJsonObject& spec);

// Every field of the order, its positions with sashes, kits, items and material lines, the order's
// totals and its merged material list. Money is text with four decimals, dates "dd.mm.yyyy".
QJsonObject OrderToJson(const TqxfOrder& order);
QJsonObject PositionToJson(const TqxfConstruction& position);
// null for an absent sash.
QJsonValue FlugelToJson(const TqxfFlugel& flugel);
// null without a kit.
QJsonValue FurnCompToJson(const TqxfFurnComp* kit);
QJsonArray MatListToJson(const TqxfMatList& list);

// A single-precision value as the shortest decimal that reads back as the same single (0.6, not
// 0.6000000238).
QJsonValue SingleToJson(float value);

}  // namespace qx

// article_resolution.h — picks the catalog article that realises a hardware element on a sash, and
// fits the parts of composite elements.
#pragma once
#include <QString>
#include <cstdint>

#include "selection/kit_resolution.h"

namespace qx {

// The inputs of one article resolution, in the order the rules hand them over.
struct TArticleRequest {
    QString Element;       // element code (FrnItem.ID, FrnArt.ID)
    QString OwnerName;     // kit or composite element the element comes from; named in one message
    QString KeeperSystem;  // the kit record's ProfSys
    QString AlertText;     // the rule's own not-found message; may be empty
    bool Required = false;
    int32_t Direct = 0;     // hand
    int32_t StulpType = 0;  // mullion type
    bool DefinesHandle = false;
    double ProfWidth = 0;
    QString Color;
    double Weight = 0;
    TSashParams Params;
    long double Angle = 0;
    long double R2 = 0;
    long double R1 = 0;
    long double L2 = 0;
    long double L1 = 0;
    int32_t FFH = 0;
    int32_t FFB = 0;
    int32_t Condition = 0;  // computation principle 0 to 10
    // The rebate sizes in mm behind FFB and FFH: a handle in the middle of the sash is placed by them.
    int32_t WidthMm = 0;
    int32_t HeightMm = 0;
};

// Which attributes choose the articles of an element (its FrnItem flags, each set when exactly 1).
struct TElementFlags {
    bool HasFalzLuft = false;
    bool HasFalzSize = false;
    bool HasFalzPos = false;
    bool CheckWeight = false;
    bool HasDornMass = false;
    bool CheckThickness = false;
    bool CheckProfWidth = false;
    bool HasProfSys = false;
    bool CheckStulpType = false;
    bool CheckDirect = false;
    bool HasColor = false;
    friend bool operator==(const TElementFlags&, const TElementFlags&) = default;
};

// The article filter of an element: the full text, the text for articles of every colour (used when
// no article has the asked colour; empty without HasColor), and the value a handle height is half of.
struct TArticleFilter {
    QString Filter;
    QString ColorlessFilter;
    long double HandleValue = 0;
};

struct TArticleResult {
    bool Found = false;
    QString Article;
    int32_t HandleHeight = 0;  // mm, 0 when none
};

// Builds the FrnArt filter text of an element exactly as the catalog's messages quote it.
// HasProfSys with an empty keeper system raises TqxfError naming the owner.
TArticleFilter BuildArticleFilter(const TArticleRequest& request, const TElementFlags& flags);

// Picks the article of an element; when several fit the user chooses among them. An element
// without any article is not found, silently. A required element that has articles none of which
// fits raises TqxfError quoting the filter (or the rule's alert text). `columns` may be shared by
// the calls of one selection run; without it the call finds its columns itself.
TArticleResult ResolveArticle(const TArticleRequest& request, TColumnCache* columns = nullptr);

// Fits the parts of a composite element (none when the element is not composite) into the
// context's kit record: each part that the properties and mullion type admit is resolved and added
// `count` × its number times, on its own side or, without one, on `sideNo`.
void ExpandComposite(const TSelectionContext& context, const QString& element, const QString& kitCode, int32_t count,
                     int slot, int32_t sideNo);

}  // namespace qx

// Placeholder until the caption builder lands: the display name only.
#include "core/captions.h"

#include "core/catalogue.h"
#include "core/key_codec.h"

namespace core {

QString commandCaption(const QString &key, CaptionSite, bool, const CaptionContext &)
{
    return MenuName(keyCode(key));
}

} // namespace core

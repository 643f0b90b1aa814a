// The converter numbers these resources differently from the composer.
#include "skinui/skin_track_resources.h"

#include "services/deliverable.h"

UINT SkinTrackTemplateId() { return IsConverterDeliverable() ? 500 : 196; }

HCURSOR LoadSkinThumbCursor()
{
    return LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IsConverterDeliverable() ? 254 : 153));
}

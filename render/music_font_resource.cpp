// Registering the music font.
#include "render/music_font_resource.h"

#include "gdi/wingdi.h"
#include "kernel/program_paths.h"

CMusicFontResource::CMusicFontResource() : m_path(GetProgramFolder() + kMusicFontFile)
{
    m_registered = AddFontResourceA(m_path.c_str()) > 0;
}

CMusicFontResource::~CMusicFontResource()
{
    if (m_registered)
        RemoveFontResourceA(m_path.c_str());
}

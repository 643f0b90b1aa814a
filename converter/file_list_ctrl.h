// CFileListCtrl: the converter's media file list, a report list of paths and their conversion states.
#pragma once

#include "ui/ui.h"

class CFileListCtrl : public CListCtrl {};

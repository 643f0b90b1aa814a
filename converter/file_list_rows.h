// Rows of the media file list: finding, inserting, moving and selecting them, and the chooser's path filter.
#pragma once

#include "converter/file_list_ctrl.h"
#include "kernel/collections.h"
#include "ui/ui.h"

// The row that keeps exactly that path, or -1.
int FindMediaRow(const CFileListCtrl& list, const CString& path);
// The first selected row, or -1.
int FirstSelectedRow(const CListCtrl& list);
// Inserts a row for path at index, with the state text in column 1; answers the row's index.
int InsertMediaRow(CFileListCtrl& list, int index, const CString& path, const CString& stateText);
// Moves row from to index to (both within the list), keeping its texts (up to three) and item data, and selecting it.
void MoveMediaRow(CListCtrl& list, int from, int to);
// Selects only that row.
void SelectOnlyRow(CListCtrl& list, int row);
// Appends to paths each candidate that names an existing regular file (folders and missing files are left out).
void KeepMediaFiles(const CStringArray& candidates, CStringArray& paths);

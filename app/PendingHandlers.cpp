// Filled in by the album, video, export and e-book work; until then the buttons do nothing.
#include "app/PendingHandlers.h"

void ExportPlainText(QWidget*) {}
void BuildChmEbook(QWidget*) {}
void ListAlbums(QWidget*) {}
void ListAlbumPhotos(QWidget*) {}
void DownloadPhotos(QWidget*) {}
void ListVideos(QWidget*) {}
void OpenVideoWindow(QWidget*) {}

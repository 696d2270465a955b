#pragma once
// Handlers of the main window whose jobs are not written yet. Each works on the main window's
// controls, found by their design names, on the user-interface thread.

class QWidget;

// Click on 保存为文本.
void ExportPlainText(QWidget* window);
// Click on 生成CHM.
void BuildChmEbook(QWidget* window);
// Click on 查看相册.
void ListAlbums(QWidget* window);
// Double click on the album list.
void ListAlbumPhotos(QWidget* window);
// Click on 下载1.
void DownloadPhotos(QWidget* window);
// Click on 查看视频.
void ListVideos(QWidget* window);
// Double click on the video list.
void OpenVideoWindow(QWidget* window);

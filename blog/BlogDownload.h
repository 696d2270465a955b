#pragma once
// The blog download as DownloadBlogs (blog/BlogHandlers.h) runs it: the page pass, the picture
// pass and the index page. Everything here runs on the user-interface thread; the requests go to
// a small pool of workers that get their address (and the picture's target paths) when they
// start and touch no widget.

#include <QFuture>
#include <optional>
#include <vector>

#include "net/Text.h"

class QThreadPool;
class QWidget;
class ReportList;

// Requests of one download that may be under way at once, pages and pictures together.
inline constexpr int kParallelRequests = 6;

// What a picture worker hands back.
struct PictureOutcome {
  bool saved = false;  // the whole picture arrived and its file is in place
  Text extension;      // "GIF" or "jpg" when saved
};

// A page as the page pass wrote it, kept for the picture pass's rewrite.
struct SavedBlogPage {
  std::optional<Text> path;  // nothing when the title or category would leave the account folder
  bool written = false;
  Text text;
  Text title;
};

// One row of 超级列表框2 and its worker.
struct BlogPictureJob {
  int page = 0;  // index into BlogDownloadJob::pages
  Text address;
  Text title;
  bool started = false;  // false when no path for it would stay in the account folder
  QFuture<PictureOutcome> outcome;
};

// What the three steps of one download share. DownloadBlogs fills the first fields; `pool` must
// outlive the job (its workers hold the futures below).
struct BlogDownloadJob {
  QWidget* window = nullptr;  // for the status bar
  ReportList* blogList = nullptr;
  ReportList* pictureList = nullptr;
  QThreadPool* pool = nullptr;
  Text qq;
  Text accountFolder;
  int PictureCount = 0;
  std::vector<SavedBlogPage> pages;
  std::vector<BlogPictureJob> pictures;  // row k of 超级列表框2 is pictures[k]
  int failedPictures = 0;
};

// Fetches every checked article (a few ahead of the one being processed), writes its page,
// lists its pictures in 超级列表框2 and starts their workers.
void DownloadBlogPages(BlogDownloadJob& job);
// Waits for every picture, then points each page at its saved pictures and writes it once.
// Counts the pictures that were not saved in job.failedPictures.
void DownloadBlogPictures(BlogDownloadJob& job);
// Writes 目录.html for the checked rows of the blog list; whether the file was written.
bool WriteBlogIndex(const ReportList& blogList, const Text& accountFolder);

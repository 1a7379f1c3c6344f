#pragma once
// What the transfers show the user: message boxes by string id, the download's progress
// window and the receive counter. The program shows real windows; tests record and answer.

namespace torvik {

enum class BoxIcon { None, Exclamation, Information, Question, Warning };

class LinkUi {
 public:
  virtual ~LinkUi() = default;
  virtual void show(int captionId, int textId, BoxIcon icon) = 0;
  // A text with one "%d" that takes `number`.
  virtual void showNumber(int captionId, int textId, BoxIcon icon, long number) = 0;
  // Yes/No question; true for Yes.
  virtual bool ask(int captionId, int textId, BoxIcon icon) = 0;
  // "Done : N records received. View the received data?"; true for Yes.
  virtual bool askViewReceived(int count) = 0;

  virtual void progressOpen() = 0;
  virtual void progressSet(int percent) = 0;
  virtual void progressClose() = 0;  // harmless when none is open

  virtual void counterBegin() = 0;
  virtual void counterUpdate(int count) = 0;
  virtual void counterEnd() = 0;
};

// String ids of the link's messages.
constexpr int kStrError = 1121;
constexpr int kStrWarning = 1122;
constexpr int kStrDownload = 1123;
constexpr int kStrUploadData = 1124;
constexpr int kStrDownloadedCompletely = 1132;
constexpr int kStrNoDataReceived = 1134;
constexpr int kStrTimeOut = 1144;
constexpr int kStrTerminalNotReady = 1145;
constexpr int kStrMemoryFull = 1146;
constexpr int kStrCannotOpenFile = 1161;
constexpr int kStrCannotOpenPort = 1162;
constexpr int kStrCannotConfigureIr = 1163;
constexpr int kStrNoConnection = 1165;
constexpr int kStrRetryQuestion = 1166;
constexpr int kStrFailedConfigureIr = 1167;
constexpr int kStrErrorDownloading = 1168;
constexpr int kStrErrorCommState = 1169;
constexpr int kStrFileCreateFailed = 1170;
constexpr int kStrVersionIncompatible = 1325;
// Our own: a received file left with a piece of a record at its end, a receive cut short
// after records arrived, and an over-long lookup line.
constexpr int kStrRecordPieceLeft = 1138;
constexpr int kStrReceiveIncomplete = 1389;
constexpr int kStrLookupLineTooLong = 1390;

}  // namespace torvik

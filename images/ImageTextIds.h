#pragma once

// String ids of the image windows' own texts: the scanner chooser, the scan
// progress window and the messages of a scan.
namespace ImageTextIds {
constexpr int ScanChooserCaption = 61101;
constexpr int ScanDeviceLabel = 61102;
constexpr int ScanSourceLabel = 61103;
constexpr int ScanModeLabel = 61104;
constexpr int ScanResolutionLabel = 61105;
constexpr int ScanStartButton = 61106;
constexpr int ScanProgressCaption = 61107;
constexpr int ScanPreparing = 61108;
constexpr int ScanReadingPage = 61109;
constexpr int ScanPageLost = 61110;
constexpr int ScanDeviceError = 61111;
constexpr int ScanSaveFailed = 61112;
constexpr int ScanOpenFailed = 61113;
constexpr int ScanSearching = 61114;
// 61121..61124: why a page could not be read (ScanPageError 1..4).
constexpr int ScanPageErrorBase = 61120;
} // namespace ImageTextIds

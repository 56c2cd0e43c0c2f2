#pragma once

// String ids of the publishing windows' own texts (captions and buttons of
// the status and progress windows, the endings of transfers with failures).
namespace PublishTextIds {
constexpr int StatusCaption = 61001;
constexpr int ProgressCaption = 61002;
constexpr int CancelButton = 61003;
constexpr int DownloadWithFailures = 61004;
constexpr int UploadWithFailures = 61005;
} // namespace PublishTextIds

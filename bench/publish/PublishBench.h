#pragma once

// The ratios the publishing benchmarks print after their run.
void ReportUploadRatio();
void ReportListingRatio();

#pragma once

namespace vantor::core {

// Where an account list keeps its columns, as sub-item indexes (-1 for a column the list does not have).
// The automatic list has "EMails", "Filtered", "Deleted", "Profile", "Message"; the preview's account list
// only "EMails", "Profile", "Message".
struct AccountRowLayout
{
    int subItemCount = 0;
    int emails = -1;
    int filtered = -1;
    int deleted = -1;
    int profile = -1;
    int message = -1;

    static constexpr AccountRowLayout automatic() { return {5, 0, 1, 2, 3, 4}; }
    static constexpr AccountRowLayout preview() { return {3, 0, -1, -1, 1, 2}; }
};

// The row images of an account list.
enum AccountIcon
{
    AccountDone = 0,
    AccountFailed = 1,
    AccountWorking = 2
};

// The Message column of an account that was checked to its end; only such rows count in the day totals.
inline constexpr const char* AccountOkText = "OK";

// Row image of a kept message that the user did not keep in the preview ("no check" in the legend).
inline constexpr int NotCheckedIcon = 7;

} // namespace vantor::core

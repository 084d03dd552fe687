// The numbers of the string table's texts, named once so that no call site carries a bare number.
#pragma once

namespace vesk {

enum StringId : int {
  kIdsDocTemplate = 128,  // document template parts, '\n'-separated
  kIdsTooManyNodes = 10001,
  kIdsRenumberNeeded = 10002,
  kIdsSerialProblemAsk = 10003,
  kIdsRenumberWarning = 10004,
  kIdsNotCgiFile = 10006,
  kIdsCsvWritten = 10007,
  kIdsNotCsvFile = 10008,
  kIdsHtmlWriteFailed = 10010,
  kIdsSearchProgramFailed = 10011,
  kIdsFavoritesImportAsk = 10012,
  kIdsFavoritesFolderMade = 10013,
  kIdsFavoritesNoFolder = 10014,
  kIdsFavoritesWritten = 10015,
  kIdsFindNotFound = 10016,
  kIdsFindNoMore = 10017,
  kIdsGenreBlank = 10018,
  kIdsGenreDuplicate = 10019,
  kIdsGenreFull = 10020,
  kIdsInstallNotice = 10021,
  kIdsUninstallAsk = 10022,
  kIdsUninstallWhileRunning = 10023,
  kIdsUninstallDisplayName = 10024,
  kIdsPathNotStorable = 10030,  // %1 = the path
  kIdsNoMailProgram = 10067,
  kIdsNothingChanged = 10068,
  kIdsTopCategory = 10100,
  kIdsWorkBox = 10101,
  kIdsTrash = 10102,
  kIdsNewCategory = 10103,
  kIdsDefaultCgiName = 10105,
  kIdsDefaultCgiExt = 10106,
  kIdsDefaultSearchFile = 10107,
  kIdsDefaultHtmlExt = 10108,
  kIdsDocFileHeader = 10112,
  kIdsWebPage = 10113,
  kIdsAppTitle = 10115,
  kIdsCaption = 10116,
  kIdsReadDataFilter = 10117,
  kIdsDefaultGenres = 10118,
  kIdsColumnBase = 10200,  // 10200-10208 "width,title" of the list columns, 10209 the end
  kIdsSetupCaption = 10300,
  kIdsSearchProgramFilter = 10301,
  kIdsHtmlFilter = 10302,
  kIdsDefaultBanner = 10303,
  kIdsBannerTag = 10304,  // printf-style: image path, width, height
  kIdsLinkSheetCaption = 10400,
  kIdsNewLinkTitle = 10401,
  kIdsNewLinkUrl = 10402,
  kIdsMarkBase = 10404,  // 10405 "cool!", 10406 "hot!", 10407 "check!"
  kIdsCauseAccessDenied = 10500,
  kIdsCauseBadPath = 10501,
  kIdsCauseInvalidFile = 10502,
  kIdsFileLine = 10503,          // "%1": the file a message is about
  kIdsOutputOutsideAsk = 10504,  // "%1": the output folder
  kIdsCliNeedsYes = 10505,
  kIdsOverwriteAsk = 10506,  // "%1": the existing file
  kIdsGenreListTooLarge = 10507,
  kIdsOutOfMemory = 10508,
  kIdsTemplateNotRegular = 10509,  // "%1": the template path
  kIdsNoUrlInShortcut = 10510,     // "%1": the shortcut file
  kIdsCsvNoFileName = 10511,
  kIdsOutputFolderMissing = 10512,    // "%1": the folder set in the document
  kIdsBookmarkTitlesChanged = 10540,  // "%1": how many titles lost characters
  kIdsNotBookmarkFile = 10541,        // "%1": the file
  kIdsBookmarkFilter = 10542,
  kIdsBookmarksWritten = 10543,    // "%1": the file written
  kIdsScriptUrlsSkipped = 10544,   // "%1": how many script addresses an import left out
  kIdsTemplateOutsideAsk = 10545,  // "%1": the template
  kIdsBookmarkOpenFilter = 10546,  // the bookmark import's: files and the browsers' stores
  kIdsNoLinksToCheck = 10600,
  kIdsNoWindowSystem = 10720,       // no X11 display for the search program's hand-over
  kIdsOutputProgressTitle = 10721,  // the progress dialog of a long output
  kIdsOutputProgressText = 10722,   // "%1" files written of "%2"
  kIdsNoDesktopEntry = 10723,       // the program's folder name cannot go into a desktop entry
  kIdsFindProgressTitle = 10724,    // the progress dialogs of the document's long steps; their
  kIdsFindProgressText = 10725,     // texts take "%1" units done of "%2"
  kIdsEmptyTrashProgressTitle = 10726,
  kIdsEmptyTrashProgressText = 10727,
  kIdsDeleteProgressTitle = 10728,
  kIdsDeleteProgressText = 10729,
  kIdsUndoProgressTitle = 10730,
  kIdsUndoProgressText = 10731,
  kIdsDdeInitFailed = 10740,  // the browser page request: DDE cannot start, and its caption
  kIdsBrowserInfoCaption = 10741,
  kIdsSearchPathNotShiftJis = 10742,  // the search page's path cannot be handed over as it is
  kIdsAppName = 57344,
  kIdsCountsText = 59143,
  kIdsEmptyPaneText = 59144,
  kIdsParseInt = 61712,
  kIdsIntRange = 61714,
  kIdsTextLimit = 61716,
};

// The title of fixed category index (0 Top Category, 1 work box, 2 trash).
constexpr int FixedCategoryTitleId(int index) { return kIdsTopCategory + index; }

}  // namespace vesk

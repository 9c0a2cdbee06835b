#pragma once

// The ids of the texts the windows show, each named once: captions and messages of the
// language library (langfile<Language>.dll), then those of the supplementary library
// (lic<Language>.dll). The same id may serve as a window's caption and as a message's title.
namespace app {

// Buttons.
inline constexpr int kTextOkButton = 100;
inline constexpr int kTextSaveButton = 102;
inline constexpr int kTextAddButton = 104;
inline constexpr int kTextImportButton = 121;
inline constexpr int kTextExportButton = 122;
inline constexpr int kTextExitButton = 123;
inline constexpr int kTextClearButton = 124;
inline constexpr int kTextDeleteButton = 311;

// Titles of messages and windows.
inline constexpr int kTitleWarning = 300;
inline constexpr int kTitleError = 301;
inline constexpr int kTitleProgram = 302;
inline constexpr int kTitleDeleteLinks = 306;
inline constexpr int kTitleAddLink = 307;
inline constexpr int kTitleDeletingLinks = 308;
inline constexpr int kTitleEmptyFolder = 309;
inline constexpr int kTitleEditLink = 312;
inline constexpr int kTitleExportLinks = 313;
inline constexpr int kTitleImportLinks = 314;
inline constexpr int kTitleLinksNotImported = 315;
inline constexpr int kTitleReplaceLink = 329;

// Captions of the dialogs.
inline constexpr int kTextAddInstruction = 316;
inline constexpr int kTextLinkFrame = 317;
inline constexpr int kTextName = 318;
inline constexpr int kTextUrl = 319;
inline constexpr int kTextDeleteInstruction = 320;
inline constexpr int kTextEditInstruction = 321;
inline constexpr int kTextExportInstruction = 322;
inline constexpr int kTextSource = 323;
inline constexpr int kTextDestination = 324;
inline constexpr int kTextSelectAll = 325;
inline constexpr int kTextImportInstruction = 326;
inline constexpr int kTextBrowserEnd = 330;  // " (browser on this computer)"
inline constexpr int kTextStoreEnd = 331;    // " (folder in Dorvane Lite)"
inline constexpr int kTextFileNameHeader = 517;
inline constexpr int kTextLinkHeader = 521;
inline constexpr int kTextNotImportedFirstLine = 546;
inline constexpr int kTextNotImportedSecondLine = 547;
inline constexpr int kTextWelcome = 520;

// Messages.
inline constexpr int kTextEmptyQuestion = 532;
inline constexpr int kTextDeleteFailed = 533;
inline constexpr int kTextChooseStoreFolder = 534;
inline constexpr int kTextNameAndUrl = 535;
inline constexpr int kTextSaved = 538;
inline constexpr int kTextExported = 539;
inline constexpr int kTextNoBookmarkFile = 540;
inline constexpr int kTextNoBookmarkFileHint = 541;
inline constexpr int kTextImported = 542;
inline constexpr int kTextNoFirefoxBookmarks = 543;
inline constexpr int kTextDeleteQuestion = 544;
inline constexpr int kTextDeleted = 545;
inline constexpr int kTextChooseBrowser = 548;
inline constexpr int kTextNothingToTransfer = 549;
inline constexpr int kTextRenameQuestion = 550;
inline constexpr int kTextReplaceQuestion = 556;
inline constexpr int kTextCannotOpenLink = 557;
inline constexpr int kTextBookmarkFileNotWritten = 558;
inline constexpr int kTextRefusedName = 560;
inline constexpr int kTextStoreGone = 561;
inline constexpr int kTextDriveRefused = 562;
inline constexpr int kTextNameTaken = 563;
inline constexpr int kTextCloseFirefox = 570;
inline constexpr int kTextDatabaseNotWritten = 571;
inline constexpr int kTextUnknownDatabase = 572;
inline constexpr int kTextNoChromiumBookmarks = 580;
inline constexpr int kTextBrowserRuns = 581;
inline constexpr int kTextEncryptedProfile = 582;

// The supplementary library.
inline constexpr int kSupplementaryOkButton = 100;
inline constexpr int kSupplementarySysInfoButton = 112;
inline constexpr int kSupplementaryAboutTitle = 303;
inline constexpr int kSupplementaryDisclaimer = 500;
inline constexpr int kSupplementaryUpToDate = 513;
inline constexpr int kSupplementaryUpdateAvailable = 514;
inline constexpr int kSupplementarySupportMissing = 515;
inline constexpr int kSupplementaryDocumentMissing = 527;
inline constexpr int kSupplementaryAdminWarning = 528;

}  // namespace app

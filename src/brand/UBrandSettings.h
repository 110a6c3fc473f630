#pragma once
// The branding values of this copy, read once at start from the publisher's settings file,
// with the entries chosen from its lists. Empty values leave the window in its built-in state.

#include <string>
#include <vector>

struct TBrandSettings {
    // The values in the order they are read; all Windows-1252 text, empty when absent.
    std::string ApplicationName;
    std::string BranderCode;
    std::string BranderType;  // "Master", "Platinum", "Gold" or "Free", compared exactly
    std::string AffiliateURL; // with every "%%AFFILIATEID%%" replaced by AffiliateID
    std::string AffiliateTYPE;
    std::string AffiliateID;
    std::string MasterNewsBaseURL;
    std::string PlatinumNewsBaseURL;
    std::string GoldNewsBaseURL;
    std::string MasterPublID;
    std::string PlatinumPublID;
    std::string GoldPublID;
    std::string MakeMoneyButton;
    std::string AppHelpURL;
    std::string CopyrightYears;
    std::string CopyrightCompany;
    std::string AboutText;
    // The numbered lists, entries 1, 2, 3 ... up to the first gap, at most 16 each.
    std::vector<std::string> Welcomes;
    std::vector<std::string> Banners; // image file name "^" address
    std::vector<std::string> Links;   // caption "^" address

    // The chosen entries.
    std::string WelcomeText; // the chosen welcome page (HTML); empty: no welcome page
    std::string BannerImage; // the chosen banner's image name; its picture is in "banner" N ".dat"
    int BannerNumber = 0;    // N of that file: the entry's number, 1 to 16; 0 without a banner
    std::string BannerURL;
    std::string Link1Caption;
    std::string Link1URL;
    std::string Link2Caption;
    std::string Link2URL;

    // True once a settings file was read, even one without elements.
    bool Loaded = false;
};

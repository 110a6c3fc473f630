#pragma once
// The client of the publisher's news service: the news list, the newest headline and one
// news body, each a multipart form post whose answer is classified and parsed.

#include "brand/UBrandSettings.h"
#include "news/UNewsAnswers.h"
#include "http/UHttpRequest.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TNewsClient {
public:
    // Posts the fields to the address and returns the answer body; may throw anything,
    // which counts as a failed transfer.
    using TFormPost = std::function<std::string(const std::string& address, const std::vector<FormField>& fields)>;
    // Shows a warning (Windows-1252 text) to the user.
    using TWarning = std::function<void(std::string_view message)>;

    // `settings` (the news base addresses) must outlive the client.
    TNewsClient(const TBrandSettings& settings, TFormPost post, TWarning warn);

    // Appends the service's records to `list` (never clearing it). Reports a failure.
    bool FetchNewsList(const std::string& publisherId, const std::string& productCode, const std::string& productType,
                       const std::string& newsTarget, std::vector<std::string>& list);

    // The newest id and title; the id is emptied first and stays empty when there is no
    // news. Reports a failure unless `silent`.
    bool FetchLastNews(const std::string& publisherId, const std::string& productCode, bool silent,
                       const std::string& productType, const std::string& newsTarget, std::string& newestId,
                       std::string& newestTitle);

    // The HTML body of one news item; emptied first. Reports a failure.
    bool FetchNewsDetails(const std::string& publisherId, const std::string& productCode,
                          const std::string& productType, const std::string& newsTarget, const std::string& newsId,
                          std::string& body);

private:
    // The trimmed answer of one post; empty when the transfer failed.
    std::string Post(std::string_view productType, std::string_view script, const std::vector<FormField>& fields);
    // True for a success; otherwise reports the answer (unless silent) and false.
    bool Classify(std::string_view trimmed, TNewsRequest request, bool silent);

    const TBrandSettings& Settings;
    TFormPost PostForm;
    TWarning Warn;
};

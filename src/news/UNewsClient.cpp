#include "news/UNewsClient.h"

#include "news/UNewsEdition.h"

namespace {

constexpr std::string_view ListScript = "getlastnews.php";
constexpr std::string_view DetailsScript = "getnewsdetails.php";

std::vector<FormField> RequestFields(const std::string& publisherId, const std::string& productCode,
                                     const std::string& productType, FormField fourth, const std::string& newsTarget)
{
    return {{"memusername", publisherId}, {"prodcode", productCode}, {"prodtype", productType}, std::move(fourth),
            {"newstarget", newsTarget},   {"something", ""}};
}

} // namespace

TNewsClient::TNewsClient(const TBrandSettings& settings, TFormPost post, TWarning warn)
    : Settings(settings)
    , PostForm(std::move(post))
    , Warn(std::move(warn))
{
}

std::string TNewsClient::Post(std::string_view productType, std::string_view script,
                              const std::vector<FormField>& fields)
{
    try {
        const std::string address = NewsRequestAddress(NewsBaseAddress(Settings, productType), script);
        return std::string(TrimAnswer(PostForm(address, fields)));
    } catch (...) {
        // Every failure of the transfer reads as an empty answer, whatever its kind.
        return {};
    }
}

bool TNewsClient::Classify(std::string_view trimmed, TNewsRequest request, bool silent)
{
    if (IsSuccessAnswer(trimmed))
        return true;
    if (!silent)
        if (const auto message = NewsErrorMessage(trimmed, request))
            Warn(*message);
    return false;
}

bool TNewsClient::FetchNewsList(const std::string& publisherId, const std::string& productCode,
                                const std::string& productType, const std::string& newsTarget,
                                std::vector<std::string>& list)
{
    const std::string answer = Post(
        productType, ListScript, RequestFields(publisherId, productCode, productType, {"conttype", "all"}, newsTarget));
    if (!Classify(answer, TNewsRequest::List, false))
        return false;
    AppendNewsRecords(answer, list);
    return true;
}

bool TNewsClient::FetchLastNews(const std::string& publisherId, const std::string& productCode, bool silent,
                                const std::string& productType, const std::string& newsTarget, std::string& newestId,
                                std::string& newestTitle)
{
    newestId.clear();
    const std::string answer =
        Post(productType, ListScript,
             RequestFields(publisherId, productCode, productType, {"conttype", "lastcode"}, newsTarget));
    if (!Classify(answer, TNewsRequest::LastNews, silent))
        return false;
    TLastNews last = ParseLastNews(answer);
    newestId = std::move(last.Id);
    if (last.Title)
        newestTitle = std::move(*last.Title);
    return true;
}

bool TNewsClient::FetchNewsDetails(const std::string& publisherId, const std::string& productCode,
                                   const std::string& productType, const std::string& newsTarget,
                                   const std::string& newsId, std::string& body)
{
    body.clear();
    const std::string answer =
        Post(productType, DetailsScript,
             RequestFields(publisherId, productCode, productType, {"newsid", newsId}, newsTarget));
    if (!Classify(answer, TNewsRequest::Details, false))
        return false;
    body = ParseNewsDetails(answer);
    return true;
}

#include "ondemand/UOnDemand.h"

#include "ondemand/TNetworkPictures.h"
#include "ondemand/UJpegDecoder.h"
#include "ondemand/UPrinting.h"

extern "C" const TOnDemand* TaskwrenOnDemand()
{
    static const TOnDemand functions = [] {
        TOnDemand table;
        table.DecodeJpeg = DecodeJpeg;
        table.ChoosePrinter = ChoosePrinterInDialog;
        table.PrintDocument = PrintDocument;
        table.NewWebPictures = [](std::function<void(const QUrl&, const QImage&)> arrived) -> TWebPictures* {
            return new TNetworkPictures(std::move(arrived));
        };
        return table;
    }();
    return &functions;
}

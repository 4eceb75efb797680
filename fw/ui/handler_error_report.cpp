#include "fw/ui/handler_error_report.h"

#include <new>
#include <string>

#include "fw/file/file_exception.h"
#include "fw/ui/app_message_box.h"
#include "fw/ui/file_error_report.h"
#include "fw/ui/framework_texts.h"
#include "fw/ui/message_box_style.h"

namespace fw {

void ReportHandlerException(IDialogPeer* owner, std::exception_ptr error) {
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const CFileException& e) {
        text = FileErrorReportText(e);
    } catch (const std::bad_alloc&) {
        text = kOutOfMemoryText;
    } catch (...) {
        text = kUnexpectedErrorText;
    }
    AppMessageBox(owner, text, kMbStop);
}

} // namespace fw

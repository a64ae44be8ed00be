#include "app/fatal_message.h"

namespace dorvane {

std::wstring FatalMessageText(const std::wstring& message, int errorCode) {
    std::wstring text = L"运行时出错!\r\n\r\n";
    if (errorCode != 0) text += L"错误代码：" + std::to_wstring(errorCode) + L"\r\n\r\n";
    if (!message.empty()) text += L"错误信息：" + message + L"\r\n";
    return text;
}

std::wstring AllocationFailureMessage(std::size_t bytes) {
    return L"分配 " + std::to_wstring(bytes) + L" 字节内存失败!";
}

}  // namespace dorvane

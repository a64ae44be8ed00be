// The texts of the run-time error box.
#pragma once

#include <cstddef>
#include <string>

namespace dorvane {

constexpr const wchar_t* kFatalTitle = L"错误";
constexpr const wchar_t* kStoredDataUnreadable = L"载入窗口模板数据段出错!";
constexpr const wchar_t* kStartWindowFailed = L"载入启动窗口失败";

// "运行时出错!" and two line breaks; then "错误代码：" with the code and two line breaks when the
// code is not 0; then "错误信息：" with the message and one line break when there is a message.
std::wstring FatalMessageText(const std::wstring& message, int errorCode);

// "分配 N 字节内存失败!" for a request of N bytes.
std::wstring AllocationFailureMessage(std::size_t bytes);

}  // namespace dorvane

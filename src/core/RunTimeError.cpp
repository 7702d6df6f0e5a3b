#include "core/RunTimeError.h"

const char* ErrorKindMessage(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Overflow:
            return "オーバーフローしました。";
        case ErrorKind::SubscriptRange:
            return "インデックスが有効範囲にありません。";
        case ErrorKind::FileNotFound:
            return "ファイルが見つかりません。";
        case ErrorKind::InputPastEnd:
            return "ファイルの終わりを越えて読み込もうとしました。";
        case ErrorKind::BadCatalogue:
            return "星のデータに読めない値があります。";
        case ErrorKind::SurfaceFailure:
            return "描画の操作に失敗しました。";
    }
    return "実行時エラーが発生しました。";
}

namespace {
std::string Compose(ErrorKind kind, const std::string& detail) {
    std::string text = ErrorKindMessage(kind);
    if (!detail.empty()) {
        text += "\n";
        text += detail;
    }
    return text;
}
}  // namespace

RunTimeError::RunTimeError(ErrorKind kind, const std::string& detail)
    : std::runtime_error(Compose(kind, detail)), TheKind(kind) {}

#include "error_guard.h"

#include "sorami_error.h"

#include <new>
#include <stdexcept>

namespace sorami {

void reportCurrentException(Platform& platform, QWidget* parent) {
    QString text;
    try {
        throw;
    } catch (const SoramiError& e) {
        text = e.text();
    } catch (const std::out_of_range&) {
        text = QStringLiteral("リストのインデックスが範囲を超えています");
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("メモリが足りません");
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("予期しないエラーが発生しました");
    }
    try {
        platform.errorBox(parent, text);
    } catch (...) {
        // Nothing may leave a guard; a failing error box has nowhere to go.
    }
}

} // namespace sorami

#pragma once
#include <functional>
#include <string>

#include "device/CRunMessageLoop.h"
#include "device/IRunWindow.h"

// The document window of a run without windows: the status timer is the
// message loop's, the status rows and titles are kept for the caller.
class CHeadlessWindow : public IRunWindow {
public:
    explicit CHeadlessWindow(CRunMessageLoop& loop) : m_loop(loop) {}

    void EnableProperties(bool) override {}
    void RefreshConditionGrid() override {}
    void StartStatusTimer() override { m_loop.SetTimer(true); }
    void StopStatusTimer() override { m_loop.SetTimer(false); }
    void ShowBoardStatus(const BOARD_STATUS_ROWS& rows) override {
        m_rows = rows;
        if (m_onRows) {
            m_onRows(rows);
        }
    }
    void SetDocumentTitle(const std::string& title) override { m_title = title; }
    void SetDocumentPath(const std::string& path) override { m_path = path; }
    void Repaint() override {}

    // Called with the rows of every status timer tick.
    void OnRows(std::function<void(const BOARD_STATUS_ROWS&)> callback) { m_onRows = std::move(callback); }
    [[nodiscard]] const BOARD_STATUS_ROWS& Rows() const { return m_rows; }
    [[nodiscard]] const std::string& Title() const { return m_title; }

private:
    CRunMessageLoop& m_loop;
    BOARD_STATUS_ROWS m_rows;
    std::string m_title;
    std::string m_path;
    std::function<void(const BOARD_STATUS_ROWS&)> m_onRows;
};

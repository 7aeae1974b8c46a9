#pragma once

#include "dmx/FrameSender.h"
#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"

#include <QIcon>

// The console: six channel strips, each a channel field above a trackbar above a value field,
// and a column of buttons. Every paint of a trackbar writes its position into the strip's value
// field and sends a frame of all six strips; so does the send button.
class CConsoleDlg : public CDialog, public FieldReader
{
public:
    explicit CConsoleDlg(QWidget* pParent = nullptr);

    // The frame sender reads the strips' fields through this.
    int GetDlgItemInt(int nId) const override;
    using CDialog::GetDlgItemInt;

    void SendFrame();

protected:
    CSliderCtrl m_slider6;
    CSliderCtrl m_slider5;
    CSliderCtrl m_slider4;
    CSliderCtrl m_slider3;
    CSliderCtrl m_slider2;
    CSliderCtrl m_slider1;
    QIcon m_hIcon;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    // Strip nStrip's trackbar has painted.
    void OnSliderDraw(int nStrip, const NMHDR& notification, long* pResult);

private:
    CSliderCtrl& slider(int nStrip);
};

#pragma once

#include <functional>
#include <vector>

namespace tabula {

class PropertyPageFrame;
class Site;

// A design-time property page. The frame it is shown in tells it when the selection
// changed (fill the fields from the selected controls) and when to apply (write the fields
// to them); the page marks itself changed when the user edits a field, which enables the
// frame's Apply.
class PropertyPage {
public:
    virtual ~PropertyPage();

    virtual void SelectionChanged() = 0;
    virtual void ApplyChanges() = 0;

protected:
    PropertyPage() = default;
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    // The frame's selection; empty while the page is in no frame.
    const std::vector<Site*>& SelectedControls() const;
    bool Changed() const;
    void SetChanged(bool changed);

private:
    friend class PropertyPageFrame;
    PropertyPageFrame* frame_ = nullptr;
};

// Shows one property page for a set of selected controls, with OK, Cancel and Apply.
class PropertyPageFrame {
public:
    // Opens with `page` showing `selected`: the page hears SelectionChanged at once.
    PropertyPageFrame(PropertyPage& page, std::vector<Site*> selected);
    ~PropertyPageFrame();
    PropertyPageFrame(const PropertyPageFrame&) = delete;
    PropertyPageFrame& operator=(const PropertyPageFrame&) = delete;

    const std::vector<Site*>& SelectedControls() const { return selected_; }
    // A new selection (the designer's selection moved); the page hears SelectionChanged.
    void SetSelectedControls(std::vector<Site*> selected);

    // Set by the page when the user edits; Apply is enabled while it is set.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed);
    bool ApplyEnabled() const { return open_ && changed_; }

    // When the page has changes: Changed is cleared and the page applies them. A page that
    // could not apply everything sets Changed again, so the user can correct and retry; an
    // error from the page passes on and leaves Changed set.
    void Apply();
    // Apply, then close.
    void OK();
    // Close without applying.
    void Cancel();
    bool IsOpen() const { return open_; }

    // Called once when the frame closes.
    std::function<void()> Closed;
    // Called whenever Changed flips, so a frame's window can enable its Apply button.
    std::function<void()> ChangedFlipped;

private:
    friend class PropertyPage;
    void Close();

    PropertyPage* page_;
    std::vector<Site*> selected_;
    bool changed_ = false;
    bool open_ = true;
};

}  // namespace tabula

"""Frames per second of the web build (the folder given) in headless Chromium, as the desktop's
frame-rate bench measures them: 197 stoppers dropped before the first launch make, with it, a world
of 200 spheres, and the game is over. Also the time from navigation to the first frame."""
import sys, time
sys.path.insert(0, 'tests/web')
from play_in_browser import browser

with browser(sys.argv[1]) as (page, site):
    page.open(site, 1024, 768)
    page.js('''const box = canvas.getBoundingClientRect();
        for (let y = 10, n = 0; y < 200; y += 20) for (let x = 20; x < 640 && n < 197; x += 20, ++n) {
            const at = {clientX: box.left + x * box.width / 640, clientY: box.top + y * box.height / 480};
            canvas.dispatchEvent(new MouseEvent('mousedown', at)), canvas.dispatchEvent(new MouseEvent('mouseup', at)); }''')
    time.sleep(1.5)
    first, frames, start = page.js('window.firstFrame_'), page.js('frames_'), time.monotonic()
    time.sleep(5)
    fps = (page.js('frames_') - frames) / (time.monotonic() - start)
    print(f'web, 200 spheres, 1024x768: first frame {first:.0f} ms after navigation, {fps:.1f} frames per second')

"""Plays the web build (the folder given) in headless Chromium through the DevTools
protocol, at a desktop's page size and at a phone's with touch: the page starts
the game, which shows its nucleus and heads-up display, launches spheres that
circle, drops stoppers where clicks and taps land, and ends on Escape. Then it
times a world of 200 spheres. Every wait is bounded; the browser and the server
end with the test. Run with Debian's python3 (python3-websocket, python3-pil)."""
import base64, io, json, os, subprocess, sys, tempfile, time, urllib.request
from PIL import Image
import websocket

results = [0, 0]  # passed, failed
def check(passed, what):
    results[not passed] += 1
    print(('ok    ' if passed else 'FAILED ') + what, flush=True)

class Page:  # one tab, driven through DevTools; every answer is awaited at most 20 s
    def __init__(self, url):
        self.socket, self.count, self.errors = websocket.create_connection(url, timeout=20), 0, []
    def call(self, method, **params):
        self.count += 1
        self.socket.send(json.dumps({'id': self.count, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('method') == 'Runtime.exceptionThrown':
                self.errors.append(message['params']['exceptionDetails'].get('exception', {}).get('description'))
            if message.get('id') == self.count:
                if 'error' in message: raise RuntimeError(f"{method}: {message['error']}")
                return message['result']
    def js(self, expression):
        return self.call('Runtime.evaluate', expression=expression, returnByValue=True)['result'].get('value')
    def wait(self, expression, seconds=30):
        deadline = time.monotonic() + seconds
        while not self.js(expression) and time.monotonic() < deadline: time.sleep(0.05)
        return self.js(expression)
    def shot(self):
        return Image.open(io.BytesIO(base64.b64decode(self.call('Page.captureScreenshot')['data']))).convert('RGB')

def play(page, site, width, height, scale, mobile):
    size = f'{width}x{height}' + (' (phone, touch)' if mobile else '')
    page.call('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=scale, mobile=mobile)
    page.call('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=1)
    page.call('Page.navigate', url=site)
    check(page.wait('window.frames_ > 0 && document.getElementById("status").hidden'), f'{size}: the game starts')
    check(page.js('document.title') == 'Orbicascade', f'{size}: the caption is the page title')
    box = page.js('(({left, top, width, height}) => ({left, top, width, height}))(canvas.getBoundingClientRect())')
    fits = box['left'] >= 0 and box['left'] + box['width'] <= width and box['top'] + box['height'] <= height
    fills = box['width'] > 0.99 * width or box['height'] > 0.7 * height
    check(abs(box['width'] * 3 - box['height'] * 4) < 1 and fits and fills, f'{size}: a 4:3 canvas fills the window: {box}')
    at = lambda x, y: (box['left'] + x * box['width'] / 640, box['top'] + y * box['height'] / 480)  # in page pixels
    def view():  # the canvas as the game drew it, 640 by 480
        corners = [round(c * scale) for c in at(0, 0) + at(640, 480)]
        return page.shot().crop(corners).resize((640, 480), Image.BILINEAR)
    def lit(image, area):  # where the game drew something in an area: a mask
        return image.crop(area).convert('L').point(lambda v: 255 if v > 40 else 0)
    time.sleep(3)  # three launches
    shots = []
    for _ in range(8): shots.append(view()); time.sleep(0.4)
    r, g, b = shots[0].getpixel((320, 238))
    check(r > 150 and g > 150 and b < 120, f'{size}: the yellow nucleus at the centre: {(r, g, b)}')
    hud = [sum(r < 100 and b > 150 for r, g, b in shots[0].crop((0, y, 240, y + 40)).getdata()) for y in (10, 390)]
    check(min(hud) > 40, f'{size}: the heads-up display in blue, top and bottom: {hud} pixels')
    field = [lit(shot, (0, 60, 640, 380)).tobytes() for shot in shots]  # between the display's two lines
    check(all(field[i] != field[i + 1] for i in range(7)), f'{size}: spheres move in every shot')
    sides = [[lit(shot, area).getbbox() for shot in shots] for area in ((0, 60, 280, 380), (360, 60, 640, 380))]
    check(any(sides[0]) and any(sides[1]), f'{size}: spheres launched on the left swing around to the right')
    for (x, y), how in (((560, 84), 'click'), ((586.5, 430.25), 'tap')):
        near = (int(x) - 14, int(y) - 14, int(x) + 15, int(y) + 15)
        before = lit(view(), near).getbbox()
        if how == 'click':
            for kind in ('mousePressed', 'mouseReleased'):
                page.call('Input.dispatchMouseEvent', type=kind, x=at(x, y)[0], y=at(x, y)[1], button='left', clickCount=1)
        else:
            page.call('Input.dispatchTouchEvent', type='touchStart', touchPoints=[dict(zip('xy', at(x, y)))])
            page.call('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])
        time.sleep(0.3)
        mask = lit(view(), near)
        stopper = [(i % mask.width, i // mask.width) for i, v in enumerate(mask.getdata()) if v]
        centre = [near[k] + 0.5 + sum(c) / max(1, len(stopper)) for k, c in enumerate(zip(*stopper))] or [0, 0]
        check(not before and 150 < len(stopper) < 300 and abs(centre[0] - x) <= 2 and abs(centre[1] - y) <= 2,
              f'{size}: a {how} at {(x, y)} drops a stopper there: centre {centre}, {len(stopper)} pixels')
    page.call('Input.dispatchKeyEvent', type='keyDown', key='Escape', code='Escape', windowsVirtualKeyCode=27)
    ended = page.wait('document.getElementById("status").textContent.includes("ended")', 5)
    frames = page.js('frames_')
    time.sleep(0.5)
    check(ended and frames == page.js('frames_'), f'{size}: Escape ends the game and the page says so')

def main(folder):
    with tempfile.TemporaryDirectory() as profile:
        server = subprocess.Popen([sys.executable, '-u', '-m', 'http.server', '-b', '127.0.0.1', '-d', folder, '0'],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        browser = subprocess.Popen(['chromium', '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
            '--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
            '--no-first-run', '--remote-debugging-port=0', '--user-data-dir=' + profile, 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            site = 'http://127.0.0.1:' + server.stdout.readline().split(' port ')[1].split()[0] + '/'
            port_file, deadline = os.path.join(profile, 'DevToolsActivePort'), time.monotonic() + 30
            while not os.path.exists(port_file) and time.monotonic() < deadline: time.sleep(0.1)
            with open(port_file) as lines: port = lines.readline().strip()
            targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json/list', timeout=10))
            page = Page(next(t for t in targets if t['type'] == 'page')['webSocketDebuggerUrl'])
            page.call('Runtime.enable'), page.call('Page.enable')
            # Frames are counted, and the first one timed, where the game clears the canvas.
            page.call('Page.addScriptToEvaluateOnNewDocument', source='''window.frames_ = 0;
                const clear = WebGLRenderingContext.prototype.clear;
                WebGLRenderingContext.prototype.clear = function (bits) {
                    if (window.frames_++ === 0) window.firstFrame_ = performance.now();
                    return clear.call(this, bits); };''')
            play(page, site, 1024, 768, 1, False)
            play(page, site, 390, 844, 2, True)
            time_frames(page, site)
            check(not page.errors, f'no uncaught error: {page.errors}')
        finally:
            for process in (browser, server): process.kill(); process.wait(10)
    print(f'{results[0]} passed, {results[1]} failed')
    return 1 if results[1] else 0

def time_frames(page, site):  # as the desktop's frame-rate bench: 197 stoppers, one launch, over
    page.call('Emulation.setDeviceMetricsOverride', width=1024, height=768, deviceScaleFactor=1, mobile=False)
    page.call('Page.navigate', url=site)
    page.wait('window.frames_ > 0 && document.getElementById("status").hidden')
    page.js('''for (let y = 10, n = 0; y < 200; y += 20) for (let x = 20; x < 640 && n < 197; x += 20, ++n) {
        const box = canvas.getBoundingClientRect(), at = {clientX: box.left + x * box.width / 640,
            clientY: box.top + y * box.height / 480, button: 0, bubbles: true};
        canvas.dispatchEvent(new MouseEvent('mousedown', at)); canvas.dispatchEvent(new MouseEvent('mouseup', at)); }''')
    time.sleep(1.5)
    first, start = page.js('[window.firstFrame_, frames_, performance.now()]'), time.monotonic()
    time.sleep(4)
    fps = (page.js('frames_') - first[1]) / (time.monotonic() - start)
    print(f'200 spheres at 1024x768: first frame {first[0]:.0f} ms after navigation, {fps:.1f} frames per second')
    check(fps > 15, f'200 spheres: the frame loop keeps going at {fps:.1f} frames per second')

if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))

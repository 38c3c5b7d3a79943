import sys; sys.path.insert(0,'/tmp/review5'); from run import *
E={**os.environ,'DISPLAY':DISPLAY}
def xd(*a): subprocess.run(['xdotool']+list(a),env=E)
def shot(n): subprocess.run(['import','-window','root',n],env=E)
p=start(['--ini',sys.argv[1]],rt='/tmp/review5/rt')
w=wait_for('ZEVO3',15)[0][0]; time.sleep(2)
xd('mousemove','627','715'); xd('click','1'); time.sleep(0.3)
xd('type','--delay','30','Ver'); time.sleep(0.3)
xd('mousemove','383','715')
t0=time.time()
n=int(sys.argv[2])
xd('click','--repeat',str(n),'--delay','20','1')
print('clicks issued in',round(time.time()-t0,1))
seen={}
while time.time()-t0<25:
    for a,nm in named():
        if nm not in ('zevo3tool','Qt Selection Owner for zevo3tool') and 'ZEVO3' not in nm and a not in seen:
            seen[a]=(nm,round(time.time()-t0,1)); print('box',nm,seen[a][1])
    time.sleep(0.2)
shot('/tmp/review5/g1.png')
print('boxes',seen)
for a in seen: xd('key','--window',a,'Return')
time.sleep(1)
print('remaining',[n for a,n in named()])
t1=time.time(); close(w)
try: out,err=p.communicate(timeout=60)
except Exception: p.kill(); out,err=p.communicate()
print('close took',round(time.time()-t1,1),'rc',p.returncode, err[-400:])
